-- Gastos en personal: presupuesto del personal frente al presupuesto total por
-- año, y gasto en personal del ejercicio frente a todo lo ejecutado.
--
-- Estas dos tablas no son por usuario: cada generación reemplaza la tabla
-- entera y todos ven la última. La tabla se bloquea para escritura hasta el
-- fin de la transacción, así dos generaciones simultáneas no suman sus filas.

SET client_min_messages = warning;

-- Una fila por año: crédito vigente (original más modificaciones).
CREATE TABLE owner_sarvo.ges_gastos_per_det (
  ejercicio       smallint      PRIMARY KEY,
  fecha           date          NOT NULL,   -- fecha para la que se generó
  presupuesto_gas numeric(17,2) NOT NULL,   -- crédito vigente del inciso 1, Gastos en Personal
  presupuesto     numeric(17,2) NOT NULL    -- crédito vigente de todos los incisos
);

-- Una fila, la del ejercicio: devengado hasta la fecha.
CREATE TABLE owner_sarvo.ges_gastos_per (
  ejercicio  smallint      PRIMARY KEY,
  fecha      date          NOT NULL,
  gastos_per numeric(17,2) NOT NULL,   -- devengado del inciso 1
  ejecutado  numeric(17,2) NOT NULL    -- devengado de todos los incisos (incluye el inciso 1)
);

-- El año pedido y los cuatro anteriores que tengan presupuesto de gastos; nada
-- si el año pedido no lo tiene.
CREATE FUNCTION owner_sarvo.ges_genera_gastos_per(p_ejercicio integer, p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    LOCK TABLE owner_sarvo.ges_gastos_per_det IN EXCLUSIVE MODE;
    DELETE FROM owner_sarvo.ges_gastos_per_det;
    IF NOT EXISTS (SELECT 1 FROM owner_sarvo.partidas_gasto WHERE ejercicio = p_ejercicio) THEN
      RETURN;
    END IF;
    INSERT INTO owner_sarvo.ges_gastos_per_det (ejercicio, fecha, presupuesto_gas, presupuesto)
    SELECT p.ejercicio, p_fecha,
           coalesce(sum(p.credito_original + p.modificaciones) FILTER (WHERE p.inciso = 1), 0),
           sum(p.credito_original + p.modificaciones)
      FROM owner_sarvo.partidas_gasto p
     WHERE p.ejercicio BETWEEN p_ejercicio - 4 AND p_ejercicio
     GROUP BY p.ejercicio
     ORDER BY p.ejercicio;
  END
  $$;

-- Lo devengado del ejercicio hasta la fecha; nada si el ejercicio no tiene
-- presupuesto de gastos.
CREATE FUNCTION owner_sarvo.ges_genera_gastos_personal(p_ejercicio integer, p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    LOCK TABLE owner_sarvo.ges_gastos_per IN EXCLUSIVE MODE;
    DELETE FROM owner_sarvo.ges_gastos_per;
    IF NOT EXISTS (SELECT 1 FROM owner_sarvo.partidas_gasto WHERE ejercicio = p_ejercicio) THEN
      RETURN;
    END IF;
    INSERT INTO owner_sarvo.ges_gastos_per (ejercicio, fecha, gastos_per, ejecutado)
    SELECT p_ejercicio, p_fecha,
           coalesce(sum(m.importe) FILTER (WHERE p.inciso = 1), 0),
           coalesce(sum(m.importe), 0)
      FROM owner_sarvo.movimientos_gasto m
      JOIN owner_sarvo.partidas_gasto p ON p.ejercicio = m.ejercicio AND p.id_partida = m.id_partida
     WHERE m.ejercicio = p_ejercicio
       AND m.etapa = 'D'
       AND m.fecha <= p_fecha;
  END
  $$;

GRANT SELECT, INSERT, UPDATE, DELETE ON owner_sarvo.ges_gastos_per_det, owner_sarvo.ges_gastos_per TO sarvo_usuarios;
GRANT EXECUTE ON FUNCTION owner_sarvo.ges_genera_gastos_per(integer, date),
                          owner_sarvo.ges_genera_gastos_personal(integer, date) TO sarvo_usuarios;
