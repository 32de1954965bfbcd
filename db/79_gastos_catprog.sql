-- Gastos por categoría programática: ejecución del presupuesto de gastos por
-- jurisdicción, programa y actividad.

SET client_min_messages = warning;

-- Una fila por categoría con crédito en el ejercicio, por usuario. Las etapas
-- son las de las partidas del ejercicio con fecha hasta la dada.
CREATE TABLE owner_sarvo.ges_gastos_x_catprog (
  usuario              integer       NOT NULL,
  ejercicio            smallint      NOT NULL,
  fecha                date          NOT NULL,   -- fecha hasta la que se calculó
  cod_jurisdiccion     smallint      NOT NULL,
  jurisdiccion         varchar(80)   NOT NULL,
  programa             smallint      NOT NULL,
  actividad            smallint      NOT NULL,
  descripcion          varchar(100)  NOT NULL,   -- nombre de la actividad
  vigente              numeric(17,2) NOT NULL,   -- crédito original más modificaciones
  comprometido         numeric(17,2) NOT NULL,
  devengado            numeric(17,2) NOT NULL,
  pagado               numeric(17,2) NOT NULL,
  porcentaje_ejecutado numeric(9,2)  NOT NULL,   -- devengado sobre vigente; 0 sin crédito
  PRIMARY KEY (usuario, cod_jurisdiccion, programa, actividad)
);

CREATE FUNCTION owner_sarvo.ges_genera_gastos_x_catprog(p_usuario integer, p_ejercicio integer,
                                                        p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_gastos_x_catprog', p_usuario);
    DELETE FROM owner_sarvo.ges_gastos_x_catprog WHERE usuario = p_usuario;
    INSERT INTO owner_sarvo.ges_gastos_x_catprog (usuario, ejercicio, fecha, cod_jurisdiccion, jurisdiccion,
                                                  programa, actividad, descripcion, vigente, comprometido,
                                                  devengado, pagado, porcentaje_ejecutado)
    WITH credito AS (
      SELECT p.id_categoria, sum(p.credito_original + p.modificaciones) AS vigente
        FROM owner_sarvo.partidas_gasto p
       WHERE p.ejercicio = p_ejercicio
       GROUP BY p.id_categoria
    ), etapas AS (
      SELECT p.id_categoria,
             sum(m.importe) FILTER (WHERE m.etapa = 'C') AS comprometido,
             sum(m.importe) FILTER (WHERE m.etapa = 'D') AS devengado,
             sum(m.importe) FILTER (WHERE m.etapa = 'P') AS pagado
        FROM owner_sarvo.movimientos_gasto m
        JOIN owner_sarvo.partidas_gasto p ON p.ejercicio = m.ejercicio AND p.id_partida = m.id_partida
       WHERE m.ejercicio = p_ejercicio
         AND m.fecha <= p_fecha
       GROUP BY p.id_categoria
    )
    SELECT p_usuario, p_ejercicio, p_fecha, c.cod_jurisdiccion, c.jurisdiccion, c.programa, c.actividad,
           c.descripcion, k.vigente, coalesce(e.comprometido, 0), coalesce(e.devengado, 0),
           coalesce(e.pagado, 0),
           coalesce(round(100 * coalesce(e.devengado, 0) / nullif(k.vigente, 0), 2), 0)
      FROM credito k
      JOIN owner_sarvo.categorias_programaticas c ON c.id_categoria = k.id_categoria
      LEFT JOIN etapas e ON e.id_categoria = k.id_categoria
     ORDER BY c.cod_jurisdiccion, c.programa, c.actividad;
  END
  $$;

GRANT SELECT, INSERT, UPDATE, DELETE ON owner_sarvo.ges_gastos_x_catprog TO sarvo_usuarios;
GRANT EXECUTE ON FUNCTION owner_sarvo.ges_genera_gastos_x_catprog(integer, integer, date) TO sarvo_usuarios;
