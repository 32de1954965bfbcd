-- Ocupación de cargos: cargos presupuestados y ocupados por año y planta.

SET client_min_messages = warning;

-- Una fila por año para cada usuario que generó. P_ planta permanente,
-- T_ planta temporaria.
CREATE TABLE owner_sarvo.ges_tmp_cargos_dispo_ocu (
  usuario        integer  NOT NULL,
  anio           smallint NOT NULL,
  p_cargos_ocu   integer  NOT NULL,   -- agentes en funciones al cierre del año
  t_cargos_ocu   integer  NOT NULL,
  p_cargos_dispo integer  NOT NULL,   -- cargos presupuestados del año
  t_cargos_dispo integer  NOT NULL,
  PRIMARY KEY (usuario, anio)
);

-- El año pedido y los cuatro anteriores que tengan cargos presupuestados; nada
-- si el año pedido no los tiene. Un cargo está ocupado al cierre del año
-- (31/12) si el agente ingresó hasta ese día y no egresó hasta ese día inclusive.
CREATE FUNCTION owner_sarvo.ges_genera_cargos_disocu(p_usuario integer, p_ejercicio integer) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_tmp_cargos_dispo_ocu', p_usuario);
    DELETE FROM owner_sarvo.ges_tmp_cargos_dispo_ocu WHERE usuario = p_usuario;
    IF NOT EXISTS (SELECT 1 FROM owner_sarvo.cargos_presupuestados WHERE ejercicio = p_ejercicio) THEN
      RETURN;
    END IF;
    INSERT INTO owner_sarvo.ges_tmp_cargos_dispo_ocu (usuario, anio, p_cargos_ocu, t_cargos_ocu,
                                                      p_cargos_dispo, t_cargos_dispo)
    WITH presupuestados AS (
      SELECT c.ejercicio,
             sum(c.cantidad) FILTER (WHERE c.planta = 'P') AS p_dispo,
             sum(c.cantidad) FILTER (WHERE c.planta = 'T') AS t_dispo
        FROM owner_sarvo.cargos_presupuestados c
       WHERE c.ejercicio BETWEEN p_ejercicio - 4 AND p_ejercicio
       GROUP BY c.ejercicio
    ), ocupados AS (
      SELECT e.ejercicio,
             count(*) FILTER (WHERE a.planta = 'P') AS p_ocu,
             count(*) FILTER (WHERE a.planta = 'T') AS t_ocu
        FROM owner_sarvo.ejercicios e
        JOIN owner_sarvo.agentes a
          ON a.fecha_ingreso <= e.fecha_cierre
         AND (a.fecha_egreso IS NULL OR a.fecha_egreso > e.fecha_cierre)
       WHERE e.ejercicio BETWEEN p_ejercicio - 4 AND p_ejercicio
       GROUP BY e.ejercicio
    )
    SELECT p_usuario, p.ejercicio, coalesce(o.p_ocu, 0), coalesce(o.t_ocu, 0),
           coalesce(p.p_dispo, 0), coalesce(p.t_dispo, 0)
      FROM presupuestados p
      LEFT JOIN ocupados o ON o.ejercicio = p.ejercicio
     ORDER BY p.ejercicio;
  END
  $$;

GRANT SELECT, INSERT, UPDATE, DELETE ON owner_sarvo.ges_tmp_cargos_dispo_ocu TO sarvo_usuarios;
GRANT EXECUTE ON FUNCTION owner_sarvo.ges_genera_cargos_disocu(integer, integer) TO sarvo_usuarios;
