-- Lo que el dialecto del programa necesita del servidor para dar la
-- semántica de Oracle: aritmética de fechas en días, TRUNC de fechas,
-- RAISE_APPLICATION_ERROR y el control de ciclos de CONNECT BY.

SET client_min_messages = warning;

-- fecha ± número: días (y fracciones de día), como con DATE de Oracle.
-- sysdate llega al servidor como LOCALTIMESTAMP(0).
CREATE FUNCTION public.fecha_mas_dias(fecha timestamp, dias numeric) RETURNS timestamp(0)
  LANGUAGE sql IMMUTABLE STRICT
  AS $$ SELECT ($1 + $2 * interval '1 day')::timestamp(0) $$;
CREATE FUNCTION public.dias_mas_fecha(dias numeric, fecha timestamp) RETURNS timestamp(0)
  LANGUAGE sql IMMUTABLE STRICT
  AS $$ SELECT ($2 + $1 * interval '1 day')::timestamp(0) $$;
CREATE FUNCTION public.fecha_menos_dias(fecha timestamp, dias numeric) RETURNS timestamp(0)
  LANGUAGE sql IMMUTABLE STRICT
  AS $$ SELECT ($1 - $2 * interval '1 day')::timestamp(0) $$;

CREATE OPERATOR public.+ (LEFTARG = timestamp, RIGHTARG = numeric, FUNCTION = public.fecha_mas_dias,
                          COMMUTATOR = OPERATOR(public.+));
CREATE OPERATOR public.+ (LEFTARG = numeric, RIGHTARG = timestamp, FUNCTION = public.dias_mas_fecha,
                          COMMUTATOR = OPERATOR(public.+));
CREATE OPERATOR public.- (LEFTARG = timestamp, RIGHTARG = numeric, FUNCTION = public.fecha_menos_dias);

-- TRUNC(fecha [, formato]): el comienzo del día, o del período del formato.
CREATE FUNCTION public.trunc(fecha timestamp) RETURNS timestamp(0)
  LANGUAGE sql IMMUTABLE STRICT
  AS $$ SELECT date_trunc('day', $1)::timestamp(0) $$;

CREATE FUNCTION public.trunc(fecha timestamp, formato text) RETURNS timestamp(0)
  LANGUAGE plpgsql IMMUTABLE STRICT
  AS $$
  DECLARE
    campo text;
  BEGIN
    campo := CASE upper(trim(formato))
               WHEN 'DD' THEN 'day' WHEN 'DDD' THEN 'day' WHEN 'J' THEN 'day'
               WHEN 'MM' THEN 'month' WHEN 'MON' THEN 'month' WHEN 'MONTH' THEN 'month'
               WHEN 'RM' THEN 'month'
               WHEN 'Y' THEN 'year' WHEN 'YY' THEN 'year' WHEN 'YYY' THEN 'year'
               WHEN 'YYYY' THEN 'year' WHEN 'SYYYY' THEN 'year' WHEN 'YEAR' THEN 'year'
               WHEN 'SYEAR' THEN 'year'
               WHEN 'Q' THEN 'quarter'
               WHEN 'IW' THEN 'week'
               WHEN 'HH' THEN 'hour' WHEN 'HH12' THEN 'hour' WHEN 'HH24' THEN 'hour'
               WHEN 'MI' THEN 'minute'
             END;
    IF campo IS NULL THEN
      RAISE EXCEPTION 'Formato de TRUNC no reconocido: "%"', formato USING ERRCODE = '22007';
    END IF;
    RETURN date_trunc(campo, fecha)::timestamp(0);
  END
  $$;

-- RAISE_APPLICATION_ERROR(-20xxx, texto): el error de aplicación 20xxx
-- (SQLSTATE U0xxx, que el programa lee como el número de Oracle).
CREATE FUNCTION public.raise_application_error(numero integer, mensaje text,
                                               conservar boolean DEFAULT false) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    IF numero IS NULL OR numero NOT BETWEEN -20999 AND -20000 THEN
      RAISE EXCEPTION 'RAISE_APPLICATION_ERROR con un número fuera de -20999..-20000: %', numero
        USING ERRCODE = '22023';
    END IF;
    RAISE EXCEPTION '%', mensaje USING ERRCODE = 'U0' || lpad((-numero - 20000)::text, 3, '0');
  END
  $$;

-- Consulta jerárquica: la fila que ya es antepasada de sí misma es un bucle
-- (ORA-01436, SQLSTATE U1436). Devuelve la fila si no lo es.
CREATE FUNCTION public.connect_by_control(fila anyelement, antepasados anyarray)
  RETURNS anyelement
  LANGUAGE plpgsql IMMUTABLE
  AS $$
  BEGIN
    IF fila = ANY (antepasados) THEN
      RAISE EXCEPTION 'Bucle de CONNECT BY en los datos (ORA-01436)' USING ERRCODE = 'U1436';
    END IF;
    RETURN fila;
  END
  $$;
