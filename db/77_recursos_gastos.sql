-- Recursos vs. gastos: presupuesto vigente, lo percibido o devengado hasta la
-- fecha y lo del mismo período de cada año.

SET client_min_messages = warning;

-- Una fila por año para cada usuario que generó. El período de un año va del
-- 1/1 al mismo día y mes de la fecha; en el año de la fecha, per_periodo es
-- igual a percibido.
CREATE TABLE owner_sarvo.ges_recursos_detalle (
  usuario     integer       NOT NULL,
  ejercicio   smallint      NOT NULL,
  fecha       date          NOT NULL,   -- fecha hasta la que se calculó
  vigente     numeric(17,2) NOT NULL,   -- cálculo de recursos vigente
  percibido   numeric(17,2) NOT NULL,   -- percibido del ejercicio hasta la fecha
  per_periodo numeric(17,2) NOT NULL,   -- percibido en el período
  PRIMARY KEY (usuario, ejercicio)
);

CREATE TABLE owner_sarvo.ges_gastos_detalle (
  usuario     integer       NOT NULL,
  ejercicio   smallint      NOT NULL,
  fecha       date          NOT NULL,
  vigente     numeric(17,2) NOT NULL,   -- crédito vigente
  devengado   numeric(17,2) NOT NULL,   -- devengado del ejercicio hasta la fecha
  dev_periodo numeric(17,2) NOT NULL,   -- devengado en el período
  PRIMARY KEY (usuario, ejercicio)
);

-- Recursos del año pedido y los cuatro anteriores que tengan cálculo de
-- recursos; nada si el año pedido no lo tiene.
CREATE FUNCTION owner_sarvo.ges_genera_recur_gastos_det(p_usuario integer, p_ejercicio integer,
                                                        p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_recursos_detalle', p_usuario);
    DELETE FROM owner_sarvo.ges_recursos_detalle WHERE usuario = p_usuario;
    IF NOT EXISTS (SELECT 1 FROM owner_sarvo.partidas_recurso WHERE ejercicio = p_ejercicio) THEN
      RETURN;
    END IF;
    INSERT INTO owner_sarvo.ges_recursos_detalle (usuario, ejercicio, fecha, vigente, percibido, per_periodo)
    WITH vigente AS (
      SELECT pr.ejercicio, sum(pr.calculo_original + pr.modificaciones) AS importe
        FROM owner_sarvo.partidas_recurso pr
       WHERE pr.ejercicio BETWEEN p_ejercicio - 4 AND p_ejercicio
       GROUP BY pr.ejercicio
    ), percibido AS (
      SELECT i.ejercicio, sum(i.importe) AS importe,
             sum(i.importe) FILTER (WHERE i.fecha <= owner_sarvo.ges_mismo_dia(p_fecha, i.ejercicio)) AS periodo
        FROM owner_sarvo.ingresos i
       WHERE i.ejercicio BETWEEN p_ejercicio - 4 AND p_ejercicio
         AND i.fecha <= p_fecha
       GROUP BY i.ejercicio
    )
    SELECT p_usuario, v.ejercicio, p_fecha, v.importe, coalesce(p.importe, 0), coalesce(p.periodo, 0)
      FROM vigente v
      LEFT JOIN percibido p ON p.ejercicio = v.ejercicio
     ORDER BY v.ejercicio;
  END
  $$;

-- Gastos del año pedido y los cuatro anteriores que tengan presupuesto de
-- gastos; nada si el año pedido no lo tiene.
CREATE FUNCTION owner_sarvo.ges_genera_recur_gastos(p_usuario integer, p_ejercicio integer,
                                                    p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_gastos_detalle', p_usuario);
    DELETE FROM owner_sarvo.ges_gastos_detalle WHERE usuario = p_usuario;
    IF NOT EXISTS (SELECT 1 FROM owner_sarvo.partidas_gasto WHERE ejercicio = p_ejercicio) THEN
      RETURN;
    END IF;
    INSERT INTO owner_sarvo.ges_gastos_detalle (usuario, ejercicio, fecha, vigente, devengado, dev_periodo)
    WITH vigente AS (
      SELECT p.ejercicio, sum(p.credito_original + p.modificaciones) AS importe
        FROM owner_sarvo.partidas_gasto p
       WHERE p.ejercicio BETWEEN p_ejercicio - 4 AND p_ejercicio
       GROUP BY p.ejercicio
    ), devengado AS (
      SELECT m.ejercicio, sum(m.importe) AS importe,
             sum(m.importe) FILTER (WHERE m.fecha <= owner_sarvo.ges_mismo_dia(p_fecha, m.ejercicio)) AS periodo
        FROM owner_sarvo.movimientos_gasto m
       WHERE m.ejercicio BETWEEN p_ejercicio - 4 AND p_ejercicio
         AND m.etapa = 'D'
         AND m.fecha <= p_fecha
       GROUP BY m.ejercicio
    )
    SELECT p_usuario, v.ejercicio, p_fecha, v.importe, coalesce(d.importe, 0), coalesce(d.periodo, 0)
      FROM vigente v
      LEFT JOIN devengado d ON d.ejercicio = v.ejercicio
     ORDER BY v.ejercicio;
  END
  $$;

GRANT SELECT, INSERT, UPDATE, DELETE ON owner_sarvo.ges_recursos_detalle, owner_sarvo.ges_gastos_detalle
   TO sarvo_usuarios;
GRANT EXECUTE ON FUNCTION owner_sarvo.ges_genera_recur_gastos_det(integer, integer, date),
                          owner_sarvo.ges_genera_recur_gastos(integer, integer, date) TO sarvo_usuarios;
