-- Evolución de gastos: devengado, pagado y deuda flotante por inciso.

SET client_min_messages = warning;

-- Una fila por inciso del ejercicio para cada usuario que generó.
--   pag_inciso: lo pagado desde el 1/1 del ejercicio hasta la fecha, sea de
--               lo devengado en el ejercicio o de la deuda flotante de
--               ejercicios anteriores;
--   df_inciso:  la parte de pag_inciso que canceló deuda flotante de
--               ejercicios anteriores;
--   dev_inciso: lo devengado en el ejercicio hasta la fecha más df_inciso.
-- Así dev_inciso - pag_inciso es lo devengado del ejercicio aún impago,
-- pag_inciso - df_inciso lo pagado de lo devengado en el ejercicio, y
-- dev_inciso >= pag_inciso >= df_inciso >= 0.
CREATE TABLE owner_sarvo.ges_gastos_x_objeto (
  usuario     integer       NOT NULL,
  ejercicio   smallint      NOT NULL,
  fecha       date          NOT NULL,   -- fecha hasta la que se calculó
  inciso      smallint      NOT NULL,
  descripcion varchar(80)   NOT NULL,
  dev_inciso  numeric(17,2) NOT NULL,
  pag_inciso  numeric(17,2) NOT NULL,
  df_inciso   numeric(17,2) NOT NULL,
  PRIMARY KEY (usuario, ejercicio, inciso)
);

-- Incisos con crédito en el ejercicio; nada si el ejercicio no tiene presupuesto.
CREATE FUNCTION owner_sarvo.ges_genera_gastos_x_obj(p_usuario integer, p_ejercicio integer,
                                                    p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_gastos_x_objeto', p_usuario);
    DELETE FROM owner_sarvo.ges_gastos_x_objeto WHERE usuario = p_usuario;
    INSERT INTO owner_sarvo.ges_gastos_x_objeto (usuario, ejercicio, fecha, inciso, descripcion,
                                                 dev_inciso, pag_inciso, df_inciso)
    WITH etapas AS (
      SELECT p.inciso,
             sum(m.importe) FILTER (WHERE m.etapa = 'D' AND m.ejercicio = p_ejercicio) AS devengado,
             sum(m.importe) FILTER (WHERE m.etapa = 'P') AS pagado,
             sum(m.importe) FILTER (WHERE m.etapa = 'P' AND m.ejercicio < p_ejercicio) AS flotante
        FROM owner_sarvo.movimientos_gasto m
        JOIN owner_sarvo.partidas_gasto p ON p.ejercicio = m.ejercicio AND p.id_partida = m.id_partida
       WHERE m.ejercicio <= p_ejercicio
         AND m.etapa IN ('D', 'P')
         AND m.fecha BETWEEN make_date(p_ejercicio, 1, 1) AND p_fecha
       GROUP BY p.inciso
    )
    SELECT p_usuario, p_ejercicio, p_fecha, i.inciso, i.descripcion,
           coalesce(e.devengado, 0) + coalesce(e.flotante, 0),
           coalesce(e.pagado, 0), coalesce(e.flotante, 0)
      FROM owner_sarvo.incisos i
      LEFT JOIN etapas e ON e.inciso = i.inciso
     WHERE EXISTS (SELECT 1 FROM owner_sarvo.partidas_gasto g
                    WHERE g.ejercicio = p_ejercicio AND g.inciso = i.inciso)
     ORDER BY i.inciso;
  END
  $$;

GRANT SELECT, INSERT, UPDATE, DELETE ON owner_sarvo.ges_gastos_x_objeto TO sarvo_usuarios;
GRANT EXECUTE ON FUNCTION owner_sarvo.ges_genera_gastos_x_obj(integer, integer, date) TO sarvo_usuarios;
