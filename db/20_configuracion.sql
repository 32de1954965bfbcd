-- Configuración de la instalación: CONFIG, parámetros de sesión, versiones,
-- sistemas y localidades.

SET client_min_messages = warning;

-- Sin clave primaria: dos filas con el mismo sistema y nombre son posibles
-- (se toma la primera que devuelva la consulta).
CREATE TABLE owner_sarvo.config (
  sistema          varchar(30)   NOT NULL,
  nombre_parametro varchar(50)   NOT NULL,
  descripcion      varchar(200),
  contenido        varchar(2000),
  modificable      varchar(1)    DEFAULT 'S'
);
CREATE INDEX config_sistema_nombre ON owner_sarvo.config (sistema, nombre_parametro);

INSERT INTO owner_sarvo.config (sistema, nombre_parametro, descripcion, contenido, modificable) VALUES
  ('GDA', 'OWNER_DB',             'Dueño de las tablas de la suite',                  'OWNER_SARVO', 'N'),
  ('GDA', 'COLOR_LABEL',          'Color de las etiquetas (BGR)',                     '8388608',     'S'),
  ('GDA', 'RPTORGANISMO',         'Organismo en el encabezado de los reportes',       'Municipalidad de Villa Serrana', 'S'),
  ('GDA', 'RPTNOMBREORG',         'Dependencia en el encabezado de los reportes',     'Secretaría de Hacienda y Finanzas', 'S'),
  ('GDA', 'MUNICIPALIDAD',        'Nombre de la municipalidad',                       'Municipalidad de Villa Serrana', 'S'),
  ('GDA', 'TIMER_ABM',            'Intervalo del temporizador de mantenimiento',      '30',          'S'),
  ('GDA', 'COD_LOCALIDAD',        'Localidad de la municipalidad',                    '1',           'S'),
  ('GDA', 'COD_PROVINCIA',        'Provincia de la municipalidad',                    'BSAS',        'S'),
  ('GDA', 'COD_NACIONALIDAD',     'Nacionalidad por defecto',                         '1',           'S'),
  ('GDA', 'LIMITE_AVISO_FILTROS', 'Registros a partir de los cuales se avisa',        '500',         'S'),
  ('GDA', 'CALLE_POSTAL',         'Calle del domicilio postal',                       'Av. San Martín', 'S'),
  ('GDA', 'NRO_POSTAL',           'Número del domicilio postal',                      '250',         'S'),
  ('GDA', 'CODPOS',               'Código postal',                                    'B7163',       'S'),
  ('GDA', 'TIMEOUT_RPT',          'Tiempo máximo de los reportes (segundos)',         '5',           'S'),
  ('GDA', 'TIMEOUT_SQL',          'Sentencias más lentas se registran (segundos)',    '1',           'S'),
  ('GDA', 'CONTROL_VERSION',      'DESHABILITADO, AVISO o CONTRASEÑA',                'DESHABILITADO', 'S'),
  ('GDA', 'AMBIENTE',             'PRODUCCION, PRUEBA o CAPACITACION',                'PRUEBA',      'S'),
  ('Miravel', 'SEGUIMIENTO_SQL',  'DESHABILITADO, USUARIO o FULL',                    'DESHABILITADO', 'S');

-- Sentencias que toda conexión nueva ejecuta (sin dueño en el programa).
CREATE TABLE public.parametrosbase (
  habilitado     varchar(1)    NOT NULL DEFAULT 'S',
  sistema        varchar(30)   NOT NULL,
  queryparametro varchar(4000) NOT NULL
);

CREATE TABLE public.parametrosbasexusuario (
  habilitado     varchar(1)    NOT NULL DEFAULT 'S',
  sistema        varchar(30)   NOT NULL,
  usuario        varchar(30)   NOT NULL,
  queryparametro varchar(4000) NOT NULL
);

-- Fechas de la sesión en día/mes/año.
INSERT INTO public.parametrosbase (habilitado, sistema, queryparametro) VALUES
  ('S', 'TODOS', 'SET datestyle TO ''ISO, DMY''');

-- Versiones instaladas de cada sistema (version: mayor_menor, tres dígitos cada uno).
CREATE TABLE owner_sarvo.versiones (
  prefijosistema varchar(3)  NOT NULL,
  version        varchar(7)  NOT NULL,
  ejecutable     varchar(1)  DEFAULT 'S',
  fecha          timestamp(0) NOT NULL DEFAULT LOCALTIMESTAMP(0),
  PRIMARY KEY (prefijosistema, version)
);

INSERT INTO owner_sarvo.versiones (prefijosistema, version, ejecutable, fecha) VALUES
  ('MRV', '000_009', 'S', TIMESTAMP '2023-11-06 10:15:00'),
  ('MRV', '001_000', 'S', TIMESTAMP '2024-03-18 09:30:00');

CREATE TABLE owner_sarvo.sistemas (
  sistema     varchar(30)  PRIMARY KEY,
  descripcion varchar(100) NOT NULL
);

INSERT INTO owner_sarvo.sistemas (sistema, descripcion) VALUES
  ('Miravel', 'Estadísticas Municipales'),
  ('GDA',     'Gestión de Accesos');

CREATE TABLE owner_sarvo.localidades (
  codigo      varchar(10)  PRIMARY KEY,
  descripcion varchar(100) NOT NULL
);

INSERT INTO owner_sarvo.localidades (codigo, descripcion) VALUES
  ('1', 'Villa Serrana'),
  ('2', 'Los Aromos'),
  ('3', 'Cañada Honda');

-- Sentencias de los subreportes de cada reporte.
CREATE TABLE owner_sarvo.prop_subreportes (
  nom_rpt    varchar(60)   NOT NULL,
  nom_subrpt varchar(60)   NOT NULL,
  query      varchar(4000),
  PRIMARY KEY (nom_rpt, nom_subrpt)
);

GRANT SELECT, INSERT, UPDATE, DELETE ON public.parametrosbase, public.parametrosbasexusuario
  TO sarvo_usuarios;
