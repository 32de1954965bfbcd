-- Roles de grupo y esquemas de la suite.
--
-- owner_sarvo: dueño de las tablas de la suite (las sentencias escriben
--   OWNER_SARVO.TABLA sin comillas).
-- seguridad: datos que ningún usuario lee directamente (hashes de claves);
--   solo los alcanzan funciones SECURITY DEFINER.
-- public: los objetos que el programa nombra sin dueño (dual, userenv,
--   vis_conecciones, ParametrosBase, ParametrosBaseXUsuario).

SET client_min_messages = warning;

-- Usuarios del sistema: todos los roles de login de la suite son miembros.
CREATE ROLE sarvo_usuarios NOLOGIN;

-- Rol que permite terminar otras sesiones; se habilita con clave
-- (public.establecer_rol). Debe heredar para tener pg_signal_backend.
CREATE ROLE "ALTERAR_SISTEMA" NOLOGIN INHERIT IN ROLE pg_signal_backend, sarvo_usuarios;

CREATE SCHEMA owner_sarvo;
CREATE SCHEMA seguridad;

REVOKE ALL ON SCHEMA seguridad FROM PUBLIC;
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT USAGE ON SCHEMA owner_sarvo TO sarvo_usuarios;

-- Todo objeto que se cree después en owner_sarvo queda al alcance de los usuarios.
ALTER DEFAULT PRIVILEGES IN SCHEMA owner_sarvo
  GRANT SELECT, INSERT, UPDATE, DELETE ON TABLES TO sarvo_usuarios;
ALTER DEFAULT PRIVILEGES IN SCHEMA owner_sarvo
  GRANT USAGE, SELECT ON SEQUENCES TO sarvo_usuarios;
ALTER DEFAULT PRIVILEGES IN SCHEMA owner_sarvo
  GRANT EXECUTE ON FUNCTIONS TO sarvo_usuarios;
