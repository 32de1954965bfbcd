-- Arranque: usuarios para cada caso de rechazo, usuarios propios de las
-- pruebas de sesiones y auditoría, el dueño por usuario y la cuenta de
-- lectura del lanzador.

SET client_min_messages = warning;

-- Rechazos del arranque (la clave de cada uno es el nombre en minúsculas sin
-- "MRV_"; el rol de login tiene la clave derivada "M" + clave + invertida).
SELECT seguridad.crear_usuario('MRV_ARRANQUE',  'arranque',  50::smallint, 'Arranque completo');
SELECT seguridad.crear_usuario('MRV_MINUSCULA', 'minuscula', 51::smallint, 'Estado en minúscula', 'n');
SELECT seguridad.crear_usuario('MRV_SINMENU',   'sinmenu',   52::smallint, 'Sin menú de Miravel');
SELECT seguridad.crear_usuario('MRV_DUPLICADO', 'duplicado', 53::smallint, 'Sesiones duplicadas');
SELECT seguridad.crear_usuario('MRV_AUDITORIA', 'auditoria', 54::smallint, 'Auditoría de sesiones');
SELECT seguridad.crear_usuario('MRV_ANTERIOR',  'anterior',  55::smallint, 'Trabaja sobre otro dueño');

-- Entra a la base pero no está en usuarios.
CREATE ROLE "MRV_SINREGISTRO" LOGIN INHERIT PASSWORD 'Msinregistroortsigernis' IN ROLE sarvo_usuarios;

INSERT INTO owner_sarvo.usuario_menu (sistema, usuario, menu) VALUES
  ('Miravel',   'MRV_ARRANQUE',  'MRV_PRINCIPAL'),
  ('Miravel',   'MRV_MINUSCULA', 'MRV_PRINCIPAL'),
  ('Tesoreria', 'MRV_SINMENU',   'TES_PRINCIPAL'),
  ('Miravel',   'MRV_DUPLICADO', 'MRV_PRINCIPAL'),
  ('Miravel',   'MRV_AUDITORIA', 'MRV_PRINCIPAL'),
  ('Miravel',   'MRV_ANTERIOR',  'MRV_PRINCIPAL');

-- Dueño de la suite por usuario: quien no figura trabaja sobre el dueño que
-- indica OWNER_DB.
CREATE TABLE owner_sarvo.owners_usuario (
  usuario varchar(30) PRIMARY KEY,
  owner   varchar(30) NOT NULL
);

CREATE OR REPLACE FUNCTION owner_sarvo.OwnerDeUsuario(usuario text, owner text) RETURNS text
  LANGUAGE sql STABLE
  AS $$
    SELECT coalesce((SELECT o.owner FROM owner_sarvo.owners_usuario o WHERE o.usuario = upper($1)),
                    $2, 'OWNER_SARVO')::text
  $$;

-- Un dueño de una instalación anterior: VERSIONES sin la columna Ejecutable y
-- usuarios sin SEGUIMIENTO_SQL. Configuración y localidades, las de la suite.
CREATE SCHEMA owner_anterior;
GRANT USAGE ON SCHEMA owner_anterior TO sarvo_usuarios;

CREATE VIEW owner_anterior.config AS SELECT * FROM owner_sarvo.config;
CREATE VIEW owner_anterior.localidades AS SELECT * FROM owner_sarvo.localidades;
CREATE VIEW owner_anterior.usuarios AS
  SELECT usuario, nombre, estado_usuario, cod_usuario, tipo_usuario,
         permiso_acceso, permiso_alta, permiso_baja, permiso_modi
    FROM owner_sarvo.usuarios;
CREATE TABLE owner_anterior.versiones (
  prefijosistema varchar(3) NOT NULL,
  version        varchar(7) NOT NULL,
  PRIMARY KEY (prefijosistema, version)
);
INSERT INTO owner_anterior.versiones VALUES ('MRV', '000_001');
GRANT SELECT ON ALL TABLES IN SCHEMA owner_anterior TO sarvo_usuarios;

INSERT INTO owner_sarvo.owners_usuario (usuario, owner) VALUES ('MRV_ANTERIOR', 'OWNER_ANTERIOR');

-- Cuenta del lanzador: sólo lee CONFIG para titular su ventana.
CREATE ROLE "LANZADOR_SARVO" LOGIN NOINHERIT PASSWORD 'lanzador';
GRANT USAGE ON SCHEMA owner_sarvo TO "LANZADOR_SARVO";
GRANT SELECT ON owner_sarvo.config TO "LANZADOR_SARVO";

-- vis_conecciones al momento: el servidor retiene la lista de sesiones
-- durante toda la transacción que la consulta primero, y las conexiones del
-- programa viven en una transacción abierta. Sin esto, después de terminar
-- una sesión duplicada se la seguiría viendo (como en Oracle, la vista debe
-- mostrar siempre las sesiones vivas).
CREATE FUNCTION public.sesiones_al_momento()
  RETURNS TABLE (nro_session integer, nro_proceso varchar, nombre_usuario varchar,
                 usuario_so varchar, terminal varchar, programa varchar,
                 sid integer, serial bigint)
  LANGUAGE sql VOLATILE SECURITY DEFINER SET search_path = pg_catalog
  AS $$
    SELECT pg_catalog.pg_stat_clear_snapshot();
    SELECT * FROM public.sesiones_abiertas();
  $$;

CREATE OR REPLACE VIEW public.vis_conecciones AS
  SELECT nro_session, nro_proceso, nombre_usuario, usuario_so, terminal, programa, sid, serial
    FROM public.sesiones_al_momento();
