-- Código de acceso del día con clave de sitio (control de versión).
--
-- El código es HMAC-SHA-256 del prefijo del sistema seguido de la fecha del
-- servidor 'aaaammdd', con la clave de sitio de la municipalidad, truncado a
-- ocho cifras como en RFC 4226. La clave vive en seguridad.clave_sitio, que
-- solo lee su dueño, el rol seguridad; los usuarios solo pueden preguntar
-- con owner_sarvo.CodigoAccesoCorrecto(prefijo, codigo), que contesta 1 o 0.
-- Cada intento queda en seguridad.intentos_codigo con el puesto y el usuario
-- de la sesión; tras cinco fallidos de un puesto en un día del servidor,
-- toda respuesta es incorrecta hasta el día siguiente.
--
-- Oracle hace esto con una transacción autónoma; aquí no la hay: el intento
-- queda anotado cuando la conexión confirma, y el programa confirma apenas
-- recibe la respuesta.

SET client_min_messages = warning;

CREATE ROLE seguridad NOLOGIN;
GRANT USAGE ON SCHEMA seguridad TO seguridad;

-- hmac() queda en el esquema seguridad, fuera del alcance de los usuarios.
CREATE EXTENSION pgcrypto WITH SCHEMA seguridad;

CREATE TABLE seguridad.clave_sitio (
  unica  boolean      PRIMARY KEY DEFAULT true CHECK (unica),
  clave  bytea        NOT NULL CHECK (length(clave) = 32),
  creada timestamp(0) NOT NULL DEFAULT LOCALTIMESTAMP(0)
);

-- resultado: S correcto, N incorrecto, B rechazado sin mirar (puesto bloqueado).
-- El código tipeado no se guarda nunca.
CREATE TABLE seguridad.intentos_codigo (
  momento    timestamp(3) NOT NULL,
  dia        date         NOT NULL,
  prefijo    varchar(10)  NOT NULL,
  terminal   varchar(64)  NOT NULL,
  usuario    varchar(64)  NOT NULL,
  usuario_so varchar(64),
  resultado  varchar(1)   NOT NULL CHECK (resultado IN ('S', 'N', 'B'))
);
CREATE INDEX intentos_codigo_puesto ON seguridad.intentos_codigo (terminal, dia);

ALTER TABLE seguridad.clave_sitio OWNER TO seguridad;
ALTER TABLE seguridad.intentos_codigo OWNER TO seguridad;

-- Las ocho cifras de un día.
CREATE FUNCTION seguridad.codigo_del_dia(clave bytea, prefijo text, dia date) RETURNS text
  LANGUAGE sql IMMUTABLE SET search_path = pg_catalog
  AS $$
    WITH h AS (SELECT seguridad.hmac(convert_to($2 || to_char($3, 'YYYYMMDD'), 'UTF8'), $1,
                                     'sha256') AS m),
         d AS (SELECT m, get_byte(m, 31) & 15 AS o FROM h)
    SELECT lpad(((((get_byte(m, o) & 127) << 24) | (get_byte(m, o + 1) << 16)
                  | (get_byte(m, o + 2) << 8) | get_byte(m, o + 3)) % 100000000)::text, 8, '0')
      FROM d
  $$;

-- Instala o cambia la clave: 64 cifras hexadecimales (lo que escribe
-- miravel-clave --nueva-clave). Solo para el dueño del esquema.
CREATE PROCEDURE seguridad.PonerClaveSitio(p_clave text)
  LANGUAGE plpgsql SET search_path = pg_catalog
  AS $$
  BEGIN
    IF p_clave IS NULL OR p_clave !~ '^[0-9A-Fa-f]{64}$' THEN
      RAISE EXCEPTION 'La clave de sitio son 64 cifras hexadecimales' USING ERRCODE = '22023';
    END IF;
    INSERT INTO seguridad.clave_sitio (unica, clave) VALUES (true, decode(p_clave, 'hex'))
      ON CONFLICT (unica) DO UPDATE SET clave = EXCLUDED.clave, creada = LOCALTIMESTAMP(0);
  END
  $$;

-- 1 si codigo es el del día del servidor para el sistema prefijo, 0 si no.
-- El día es el del reloj del servidor (no el del comienzo de la transacción)
-- en la zona horaria de la instalación, que una sesión no puede cambiar.
CREATE FUNCTION owner_sarvo.CodigoAccesoCorrecto(prefijo text, codigo text) RETURNS integer
  LANGUAGE plpgsql VOLATILE SECURITY DEFINER
  SET search_path = pg_catalog
  SET TimeZone FROM CURRENT
  AS $$
  DECLARE
    v_dia       date := clock_timestamp()::date;
    v_terminal  text := coalesce(left(public.parte_identidad(current_setting('application_name'), 2), 64), '?');
    v_fallidos  integer;
    v_clave     bytea;
    v_resultado text;
  BEGIN
    -- Un intento por vez para cada puesto y día: dos a la vez no pasan el tope.
    PERFORM pg_advisory_xact_lock(hashtextextended('codigo_acceso|' || v_terminal || '|' || v_dia, 0));
    SELECT count(*) INTO v_fallidos FROM seguridad.intentos_codigo i
     WHERE i.dia = v_dia AND i.terminal = v_terminal AND i.resultado <> 'S';
    SELECT c.clave INTO v_clave FROM seguridad.clave_sitio c;
    IF v_fallidos >= 5 THEN
      v_resultado := 'B';
    ELSIF v_clave IS NOT NULL AND codigo = seguridad.codigo_del_dia(v_clave, prefijo, v_dia) THEN
      v_resultado := 'S';
    ELSE
      v_resultado := 'N';
    END IF;
    INSERT INTO seguridad.intentos_codigo (momento, dia, prefijo, terminal, usuario, usuario_so, resultado)
    VALUES (clock_timestamp(), v_dia, left(coalesce(prefijo, ''), 10), v_terminal, session_user,
            left(public.parte_identidad(current_setting('application_name'), 3), 64), v_resultado);
    RETURN CASE WHEN v_resultado = 'S' THEN 1 ELSE 0 END;
  END
  $$;

-- Los intentos, para quien audita; nadie los cambia.
CREATE VIEW owner_sarvo.vis_intentos_codigo AS
  SELECT momento, dia, prefijo, terminal, usuario, usuario_so, resultado
    FROM seguridad.intentos_codigo;

ALTER FUNCTION seguridad.codigo_del_dia(bytea, text, date) OWNER TO seguridad;
ALTER PROCEDURE seguridad.PonerClaveSitio(text) OWNER TO seguridad;
ALTER FUNCTION owner_sarvo.CodigoAccesoCorrecto(text, text) OWNER TO seguridad;
ALTER VIEW owner_sarvo.vis_intentos_codigo OWNER TO seguridad;
REVOKE ALL ON FUNCTION seguridad.codigo_del_dia(bytea, text, date) FROM PUBLIC;
REVOKE ALL ON PROCEDURE seguridad.PonerClaveSitio(text) FROM PUBLIC;
REVOKE ALL ON FUNCTION owner_sarvo.CodigoAccesoCorrecto(text, text) FROM PUBLIC;
GRANT EXECUTE ON FUNCTION owner_sarvo.CodigoAccesoCorrecto(text, text) TO sarvo_usuarios;
REVOKE ALL ON owner_sarvo.vis_intentos_codigo FROM sarvo_usuarios;
GRANT SELECT ON owner_sarvo.vis_intentos_codigo TO sarvo_usuarios;

-- La clave de la base de demostración y de las pruebas (db/clave-sitio-demo).
-- Una municipalidad crea la suya con miravel-clave --nueva-clave.
CALL seguridad.PonerClaveSitio('3e8a8965629ff9563f35bb6c5f0488925bab3074750bf02f477d48e97facd26d');

-- Una instalación sin la comprobación con clave: la suite con VERSIONES y
-- CONFIG, sin CodigoAccesoCorrecto. El programa usa ahí el código anterior.
CREATE SCHEMA owner_sin_clave;
GRANT USAGE ON SCHEMA owner_sin_clave TO sarvo_usuarios;
CREATE VIEW owner_sin_clave.config AS SELECT * FROM owner_sarvo.config;
CREATE VIEW owner_sin_clave.versiones AS SELECT * FROM owner_sarvo.versiones;
GRANT SELECT ON owner_sin_clave.config, owner_sin_clave.versiones TO sarvo_usuarios;
