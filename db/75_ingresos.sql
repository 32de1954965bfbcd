-- Ingresos: lo percibido por día del mes de la fecha y por mes del ejercicio,
-- según el tipo de recurso (tributario, no tributario, otros).

SET client_min_messages = warning;

-- Un día con cobros del mes de la fecha, hasta la fecha, por fila.
CREATE TABLE owner_sarvo.ges_ingresos_dia (
  usuario           integer       NOT NULL,
  ejercicio         smallint      NOT NULL,
  fecha             date          NOT NULL,   -- fecha hasta la que se calculó
  dia               smallint      NOT NULL,   -- día del mes (1 a 31)
  importe_tribut    numeric(17,2) NOT NULL,
  importe_no_tribut numeric(17,2) NOT NULL,
  importe_otros     numeric(17,2) NOT NULL,
  PRIMARY KEY (usuario, dia)
);

-- Un mes con cobros del ejercicio, hasta la fecha, por fila.
CREATE TABLE owner_sarvo.ges_ingresos_mes (
  usuario           integer       NOT NULL,
  ejercicio         smallint      NOT NULL,
  fecha             date          NOT NULL,
  nro_mes           smallint      NOT NULL,   -- 1 a 12, para ordenar
  mes               varchar(3)    NOT NULL,   -- "Ene" a "Dic", rótulo del gráfico
  importe_tribut    numeric(17,2) NOT NULL,
  importe_no_tribut numeric(17,2) NOT NULL,
  importe_otros     numeric(17,2) NOT NULL,
  PRIMARY KEY (usuario, nro_mes)
);

-- Llena las dos tablas; nada si el ejercicio no tiene cobros hasta la fecha.
CREATE FUNCTION owner_sarvo.ges_genera_ingresos(p_usuario integer, p_ejercicio integer,
                                                p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_ingresos', p_usuario);
    DELETE FROM owner_sarvo.ges_ingresos_dia WHERE usuario = p_usuario;
    DELETE FROM owner_sarvo.ges_ingresos_mes WHERE usuario = p_usuario;

    INSERT INTO owner_sarvo.ges_ingresos_dia (usuario, ejercicio, fecha, dia, importe_tribut,
                                              importe_no_tribut, importe_otros)
    SELECT p_usuario, p_ejercicio, p_fecha, extract(day FROM i.fecha),
           coalesce(sum(i.importe) FILTER (WHERE r.tipo = 'T'), 0),
           coalesce(sum(i.importe) FILTER (WHERE r.tipo = 'N'), 0),
           coalesce(sum(i.importe) FILTER (WHERE r.tipo = 'O'), 0)
      FROM owner_sarvo.ingresos i
      JOIN owner_sarvo.recursos r ON r.cod_recurso = i.cod_recurso
     WHERE i.ejercicio = p_ejercicio
       AND i.fecha BETWEEN date_trunc('month', p_fecha)::date AND p_fecha
     GROUP BY extract(day FROM i.fecha)
     ORDER BY extract(day FROM i.fecha);

    INSERT INTO owner_sarvo.ges_ingresos_mes (usuario, ejercicio, fecha, nro_mes, mes, importe_tribut,
                                              importe_no_tribut, importe_otros)
    SELECT p_usuario, p_ejercicio, p_fecha, m.nro,
           (ARRAY['Ene','Feb','Mar','Abr','May','Jun','Jul','Ago','Sep','Oct','Nov','Dic'])[m.nro],
           m.tributarios, m.no_tributarios, m.otros
      FROM (SELECT extract(month FROM i.fecha)::integer AS nro,
                   coalesce(sum(i.importe) FILTER (WHERE r.tipo = 'T'), 0) AS tributarios,
                   coalesce(sum(i.importe) FILTER (WHERE r.tipo = 'N'), 0) AS no_tributarios,
                   coalesce(sum(i.importe) FILTER (WHERE r.tipo = 'O'), 0) AS otros
              FROM owner_sarvo.ingresos i
              JOIN owner_sarvo.recursos r ON r.cod_recurso = i.cod_recurso
             WHERE i.ejercicio = p_ejercicio
               AND i.fecha <= p_fecha
             GROUP BY 1) m
     ORDER BY m.nro;
  END
  $$;

GRANT SELECT, INSERT, UPDATE, DELETE ON owner_sarvo.ges_ingresos_dia, owner_sarvo.ges_ingresos_mes TO sarvo_usuarios;
GRANT EXECUTE ON FUNCTION owner_sarvo.ges_genera_ingresos(integer, integer, date) TO sarvo_usuarios;
