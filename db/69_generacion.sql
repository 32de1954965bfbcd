-- Piezas comunes de los procedimientos GES_GENERA_* que llenan las tablas de
-- trabajo de las estadísticas.
--
-- Cada procedimiento corre con el rol del usuario que lo llama (sin SECURITY
-- DEFINER): los usuarios tienen permiso sobre las tablas de trabajo y de
-- lectura sobre las de finanzas. La confirmación queda a cargo de quien llama.

SET client_min_messages = warning;

-- Ordena las generaciones de un mismo usuario sobre una misma tabla hasta el
-- fin de la transacción: dos sesiones del mismo usuario no mezclan sus filas.
-- Usuarios distintos no se esperan.
CREATE FUNCTION owner_sarvo.ges_bloquear_usuario(p_tabla text, p_usuario integer) RETURNS void
  LANGUAGE sql
  AS $$ SELECT pg_advisory_xact_lock(hashtext($1), $2) $$;

-- Fecha equivalente a p_fecha en el ejercicio dado: el mismo día y mes (el
-- 29 de febrero pasa al 28 en un año no bisiesto).
CREATE FUNCTION owner_sarvo.ges_mismo_dia(p_fecha date, p_ejercicio integer) RETURNS date
  LANGUAGE sql IMMUTABLE
  AS $$ SELECT ($1 - make_interval(years => extract(year FROM $1)::integer - $2))::date $$;

GRANT EXECUTE ON FUNCTION owner_sarvo.ges_bloquear_usuario(text, integer),
                          owner_sarvo.ges_mismo_dia(date, integer) TO sarvo_usuarios;
