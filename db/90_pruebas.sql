-- Objetos para las pruebas automáticas.

SET client_min_messages = warning;

-- Lanza el error de aplicación 20101..20123 (SQLSTATE U0101..U0123).
CREATE FUNCTION owner_sarvo.probar_error_aplicacion(numero integer) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    IF numero IS NULL OR numero NOT BETWEEN 20101 AND 20199 THEN
      RAISE EXCEPTION 'Número de error de aplicación fuera de rango: %', numero USING ERRCODE = '22023';
    END IF;
    RAISE EXCEPTION 'Error de aplicación % provocado para la prueba', numero
      USING ERRCODE = 'U01' || lpad((numero - 20100)::text, 2, '0');
  END
  $$;

-- Claves duplicadas (23505), bloqueos (55P03) y desbordes numéricos (22003).
CREATE TABLE owner_sarvo.prueba_claves (
  id      integer PRIMARY KEY,
  texto   varchar(40),
  importe numeric(6, 2)
);

-- Integridad referencial (23503) y datos obligatorios (23502).
CREATE TABLE owner_sarvo.prueba_padres (
  id     integer PRIMARY KEY,
  nombre varchar(40)
);
CREATE TABLE owner_sarvo.prueba_hijos (
  id    integer PRIMARY KEY,
  padre integer     NOT NULL REFERENCES owner_sarvo.prueba_padres (id),
  dato  varchar(40) NOT NULL
);

-- Usuarios habilitados para las pruebas que necesitan sesiones propias
-- (sesiones duplicadas, auditoría) sin chocar con otras que corren a la vez.
-- Clave = nombre en minúsculas (PRUEBA1 -> 'prueba1' -> 'Mprueba11abeurp').
SELECT seguridad.crear_usuario('PRUEBA' || n, 'prueba' || n, (10 + n)::smallint, 'Usuario de prueba ' || n)
  FROM generate_series(1, 4) n;

INSERT INTO owner_sarvo.usuario_menu (sistema, usuario, menu)
  SELECT 'Miravel', 'PRUEBA' || n, 'MRV_PRINCIPAL' FROM generate_series(1, 4) n;
