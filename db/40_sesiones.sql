-- Sesiones: dual, userenv, la vista de conexiones abiertas, el rol
-- ALTERAR_SISTEMA con clave y la terminación de sesiones.

SET client_min_messages = warning;

-- Una sola fila; los usuarios solo la leen.
CREATE TABLE public.dual (dummy varchar(1) NOT NULL DEFAULT 'X');
INSERT INTO public.dual VALUES ('X');
GRANT SELECT ON public.dual TO PUBLIC;

-- Cada cliente informa al conectar, en application_name,
-- "programa;terminal;usuario_so;proceso". Sin ';' todo el texto es el programa.
CREATE FUNCTION public.parte_identidad(identidad text, n integer) RETURNS text
  LANGUAGE sql IMMUTABLE
  AS $$
    SELECT CASE
             WHEN strpos(coalesce($1, ''), ';') = 0 THEN CASE WHEN $2 = 1 THEN nullif($1, '') END
             ELSE nullif(split_part($1, ';', $2), '')
           END
  $$;

CREATE FUNCTION public.userenv(parametro text) RETURNS text
  LANGUAGE plpgsql STABLE
  AS $$
  BEGIN
    CASE upper(parametro)
      WHEN 'SESSIONID' THEN RETURN pg_backend_pid()::text;
      WHEN 'TERMINAL' THEN RETURN public.parte_identidad(current_setting('application_name'), 2);
      ELSE RAISE EXCEPTION 'Parámetro de USERENV no válido: %', parametro USING ERRCODE = '22023';
    END CASE;
  END
  $$;

-- Sesiones de clientes abiertas en el servidor. SECURITY DEFINER: un usuario
-- común ve así los datos completos de todas las sesiones. PostgreSQL puede
-- conservar la lista leída al principio de la transacción; se la descarta en
-- cada consulta para ver las sesiones recién abiertas o terminadas (las
-- conexiones del programa viven dentro de una transacción abierta).
CREATE FUNCTION public.sesiones_abiertas()
  RETURNS TABLE (nro_session integer, nro_proceso varchar, nombre_usuario varchar,
                 usuario_so varchar, terminal varchar, programa varchar,
                 sid integer, serial bigint)
  LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = pg_catalog
  AS $$
  BEGIN
    PERFORM pg_stat_clear_snapshot();
    RETURN QUERY
      SELECT a.pid,
             public.parte_identidad(a.application_name, 4)::varchar,
             a.usename::varchar,
             public.parte_identidad(a.application_name, 3)::varchar,
             public.parte_identidad(a.application_name, 2)::varchar,
             public.parte_identidad(a.application_name, 1)::varchar,
             a.pid,
             floor(extract(epoch FROM a.backend_start))::bigint
        FROM pg_stat_activity a
       WHERE a.backend_type = 'client backend';
  END
  $$;

CREATE VIEW public.vis_conecciones AS
  SELECT nro_session, nro_proceso, nombre_usuario, usuario_so, terminal, programa, sid, serial
    FROM public.sesiones_abiertas();

GRANT SELECT ON public.vis_conecciones TO sarvo_usuarios, "CONTROL_SARVO";

-- Claves de los roles protegidos (hash con sal).
CREATE TABLE seguridad.claves_rol (
  rol  name PRIMARY KEY,
  sal  text NOT NULL,
  hash text NOT NULL
);

INSERT INTO seguridad.claves_rol (rol, sal, hash)
  SELECT 'ALTERAR_SISTEMA', s, seguridad.hash_clave(s, 'pernol') FROM seguridad.nueva_sal() s;

CREATE FUNCTION public.clave_rol_correcta(rol text, clave text) RETURNS boolean
  LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog
  AS $$
    SELECT EXISTS (SELECT 1 FROM seguridad.claves_rol c
                    WHERE c.rol = $1 AND c.hash = seguridad.hash_clave(c.sal, coalesce($2, '')))
  $$;

-- "SET ROLE r IDENTIFIED BY p": habilita el rol en la sesión si la clave es
-- correcta. SECURITY INVOKER: el SET ROLE queda en la sesión de quien llama.
CREATE FUNCTION public.establecer_rol(rol text, clave text) RETURNS void
  LANGUAGE plpgsql
  AS $$
  DECLARE
    nombre name;
  BEGIN
    SELECT r.rolname INTO nombre FROM pg_catalog.pg_roles r WHERE r.rolname = rol;
    IF nombre IS NULL THEN
      SELECT r.rolname INTO nombre FROM pg_catalog.pg_roles r WHERE r.rolname = upper(rol);
    END IF;
    IF nombre IS NULL THEN
      RAISE EXCEPTION 'El rol % no existe', rol USING ERRCODE = '42704';
    END IF;
    IF NOT public.clave_rol_correcta(nombre, clave) THEN
      RAISE EXCEPTION 'Clave incorrecta o faltante para el rol %', nombre USING ERRCODE = '28P01';
    END IF;
    EXECUTE format('SET ROLE %I', nombre);
  END
  $$;

-- "ALTER SYSTEM kill SESSION 'sid,serial'": termina la sesión y espera a que
-- desaparezca. Un serial distinto de 0 debe coincidir con el de la sesión
-- (evita terminar otra sesión que reutilizó el mismo número).
CREATE FUNCTION public.terminar_sesion(sid_serial text) RETURNS void
  LANGUAGE plpgsql
  AS $$
  DECLARE
    p_sid    integer;
    p_serial bigint;
    inicio   bigint;
  BEGIN
    IF sid_serial IS NULL OR sid_serial !~ '^\s*\d{1,9}\s*(,\s*\d{1,18}\s*)?$' THEN
      RAISE EXCEPTION 'Identificación de sesión no válida: "%"', sid_serial USING ERRCODE = '22023';
    END IF;
    p_sid := trim(split_part(sid_serial, ',', 1))::integer;
    p_serial := nullif(trim(split_part(sid_serial, ',', 2)), '')::bigint;
    IF p_sid = pg_backend_pid() THEN
      RAISE EXCEPTION 'No se puede terminar la sesión propia (%)', p_sid USING ERRCODE = '55000';
    END IF;
    SELECT s.serial INTO inicio FROM public.sesiones_abiertas() s WHERE s.sid = p_sid;
    IF NOT FOUND OR (p_serial IS NOT NULL AND p_serial <> 0 AND p_serial <> inicio) THEN
      RAISE EXCEPTION 'La sesión % no existe', trim(sid_serial) USING ERRCODE = '42704';
    END IF;
    BEGIN
      IF NOT pg_terminate_backend(p_sid, 5000) THEN
        RAISE EXCEPTION 'La sesión % no terminó a tiempo', p_sid USING ERRCODE = '57014';
      END IF;
    EXCEPTION WHEN insufficient_privilege THEN
      RAISE EXCEPTION 'Sin privilegios para terminar la sesión % (habilite el rol ALTERAR_SISTEMA)', p_sid
        USING ERRCODE = '42501';
    END;
  END
  $$;
