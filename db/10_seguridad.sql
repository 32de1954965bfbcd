-- Seguridad (GDA): usuarios, menúes, tareas y derechos.

SET client_min_messages = warning;

CREATE TABLE owner_sarvo.usuarios (
  usuario         varchar(30) PRIMARY KEY,
  nombre          varchar(60),
  estado_usuario  varchar(1)  NOT NULL DEFAULT 'N',   -- 'N' habilitado
  cod_usuario     smallint    NOT NULL UNIQUE,
  tipo_usuario    varchar(1)  DEFAULT 'U',
  permiso_acceso  smallint    NOT NULL DEFAULT 0,      -- niveles que el usuario tiene
  permiso_alta    smallint    NOT NULL DEFAULT 0,
  permiso_baja    smallint    NOT NULL DEFAULT 0,
  permiso_modi    smallint    NOT NULL DEFAULT 0,
  seguimiento_sql varchar(1)  DEFAULT 'N'              -- 'S' traza sus sentencias
);

-- Menú inicial de cada usuario en cada sistema.
CREATE TABLE owner_sarvo.usuario_menu (
  sistema varchar(30) NOT NULL,
  usuario varchar(30) NOT NULL,
  menu    varchar(30) NOT NULL,
  PRIMARY KEY (sistema, usuario)
);

-- Entradas de los menúes: menu_hijo no nulo es un submenú; titulo '-' un separador.
CREATE TABLE owner_sarvo.menues (
  sistema   varchar(30) NOT NULL,
  menu      varchar(30) NOT NULL,
  item      smallint    NOT NULL,
  titulo    varchar(60) NOT NULL,
  menu_hijo varchar(30),
  PRIMARY KEY (sistema, menu, item)
);

CREATE TABLE owner_sarvo.tareas (
  sistema         varchar(30)  NOT NULL,
  tarea           varchar(30)  NOT NULL,
  descripcion     varchar(100) NOT NULL,
  cod_formulario  smallint     NOT NULL,
  permiso_acceso  smallint     NOT NULL DEFAULT 1,   -- niveles que la tarea exige
  permiso_alta    smallint     NOT NULL DEFAULT 1,
  permiso_baja    smallint     NOT NULL DEFAULT 1,
  permiso_modi    smallint     NOT NULL DEFAULT 1,
  tipo_auditoria  varchar(1)   DEFAULT 'N',          -- N, D o S
  PRIMARY KEY (sistema, tarea)
);

CREATE VIEW owner_sarvo.vis_tareas AS
  SELECT sistema, tarea, descripcion, cod_formulario,
         permiso_acceso, permiso_alta, permiso_baja, permiso_modi, tipo_auditoria
    FROM owner_sarvo.tareas;

-- Tarea detrás de cada hoja del menú.
CREATE TABLE owner_sarvo.tareas_menues (
  sistema varchar(30) NOT NULL,
  menu    varchar(30) NOT NULL,
  item    smallint    NOT NULL,
  tarea   varchar(30) NOT NULL,
  PRIMARY KEY (sistema, menu, item)
);

-- Niveles de un usuario para una tarea (reemplazan a los generales de usuarios).
CREATE TABLE owner_sarvo.restricciones_usuario (
  sistema        varchar(30) NOT NULL,
  tarea          varchar(30) NOT NULL,
  usuario        varchar(30) NOT NULL,
  permiso_acceso smallint    NOT NULL DEFAULT 0,
  permiso_alta   smallint    NOT NULL DEFAULT 0,
  permiso_baja   smallint    NOT NULL DEFAULT 0,
  permiso_modi   smallint    NOT NULL DEFAULT 0,
  PRIMARY KEY (sistema, tarea, usuario)
);

-- Claves de tareas protegidas (hash con sal; nadie las lee directamente).
CREATE TABLE seguridad.claves_tarea (
  sistema varchar(30) NOT NULL,
  tarea   varchar(30) NOT NULL,
  sal     text        NOT NULL,
  hash    text        NOT NULL,
  PRIMARY KEY (sistema, tarea)
);

CREATE FUNCTION seguridad.hash_clave(sal text, clave text) RETURNS text
  LANGUAGE sql IMMUTABLE
  AS $$ SELECT encode(pg_catalog.sha256(pg_catalog.convert_to($1 || $2, 'UTF8')), 'hex') $$;

CREATE FUNCTION seguridad.nueva_sal() RETURNS text
  LANGUAGE sql VOLATILE
  AS $$ SELECT md5(random()::text || clock_timestamp()::text) $$;

-- 1 si la tarea pide clave, 0 si no.
CREATE FUNCTION owner_sarvo.hayClaveTarea(sistema text, tarea text) RETURNS integer
  LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog
  AS $$
    SELECT CASE WHEN EXISTS (SELECT 1 FROM seguridad.claves_tarea c
                              WHERE c.sistema = $1 AND c.tarea = $2) THEN 1 ELSE 0 END
  $$;

-- 1 si la clave de la tarea es correcta, 0 si no.
CREATE FUNCTION owner_sarvo.claveTareaCorrecta(sistema text, tarea text, clave text) RETURNS integer
  LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog
  AS $$
    SELECT CASE WHEN EXISTS (SELECT 1 FROM seguridad.claves_tarea c
                              WHERE c.sistema = $1 AND c.tarea = $2
                                AND c.hash = seguridad.hash_clave(c.sal, coalesce($3, ''))) THEN 1 ELSE 0 END
  $$;

-- Esquema con el que trabaja cada usuario: todos trabajan sobre el dueño de la suite.
CREATE FUNCTION owner_sarvo.OwnerDeUsuario(usuario text, owner text) RETURNS text
  LANGUAGE sql STABLE
  AS $$ SELECT 'OWNER_SARVO'::text $$;

-- Alta de un usuario: su fila en usuarios y su rol de login con la clave
-- derivada ("M" + clave + clave invertida), como la arma el programa.
CREATE FUNCTION seguridad.crear_usuario(p_usuario text, p_clave text, p_cod smallint,
                                        p_nombre text, p_estado text DEFAULT 'N',
                                        p_nivel smallint DEFAULT 5) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    INSERT INTO owner_sarvo.usuarios (usuario, nombre, estado_usuario, cod_usuario, tipo_usuario,
                                      permiso_acceso, permiso_alta, permiso_baja, permiso_modi,
                                      seguimiento_sql)
    VALUES (upper(p_usuario), p_nombre, p_estado, p_cod, 'U', p_nivel, p_nivel, p_nivel, p_nivel, 'N');
    EXECUTE format('CREATE ROLE %I LOGIN INHERIT PASSWORD %L IN ROLE sarvo_usuarios',
                   upper(p_usuario), 'M' || p_clave || reverse(p_clave));
  END
  $$;

SELECT seguridad.crear_usuario('DEMO', 'demo', 1::smallint, 'Usuario de demostración');
SELECT seguridad.crear_usuario('BAJA', 'baja', 2::smallint, 'Usuario dado de baja', 'S');

-- Cuenta de control: solo sirve para habilitar ALTERAR_SISTEMA (no hereda
-- sus privilegios: hay que pedir el rol con su clave).
CREATE ROLE "CONTROL_SARVO" LOGIN NOINHERIT PASSWORD 'tramonel' IN ROLE sarvo_usuarios, "ALTERAR_SISTEMA";

-- Menú de Miravel: un submenú de estadísticas con la tarea Tipos de Compra.
INSERT INTO owner_sarvo.menues (sistema, menu, item, titulo, menu_hijo) VALUES
  ('Miravel', 'MRV_PRINCIPAL',    1, 'Estadísticas',     'MRV_ESTADISTICAS'),
  ('Miravel', 'MRV_ESTADISTICAS', 1, 'Tipos de Compra',  NULL);

INSERT INTO owner_sarvo.tareas (sistema, tarea, descripcion, cod_formulario) VALUES
  ('Miravel', 'MRV107', 'Tipos de Compra', 107);

INSERT INTO owner_sarvo.tareas_menues (sistema, menu, item, tarea) VALUES
  ('Miravel', 'MRV_ESTADISTICAS', 1, 'MRV107');

INSERT INTO owner_sarvo.usuario_menu (sistema, usuario, menu) VALUES
  ('Miravel', 'DEMO', 'MRV_PRINCIPAL'),
  ('Miravel', 'BAJA', 'MRV_PRINCIPAL');
