-- Evolución de recursos: lo percibido por año según el origen de la fuente de
-- financiamiento y según su afectación.

SET client_min_messages = warning;

-- Una fila por año para cada usuario que generó. Los importes son lo percibido
-- en el ejercicio hasta la fecha (de los años anteriores, el año entero).
-- Origen: municipal, provincial o nacional; afectación: de libre
-- disponibilidad o afectado a un destino. Las dos particiones suman lo mismo.
CREATE TABLE owner_sarvo.ges_recursos_x_ori_proce (
  usuario        integer       NOT NULL,
  ejercicio      smallint      NOT NULL,
  fecha          date          NOT NULL,   -- fecha hasta la que se calculó
  rec_municipal  numeric(17,2) NOT NULL,
  rec_provincial numeric(17,2) NOT NULL,
  rec_nacional   numeric(17,2) NOT NULL,
  libre_dispo    numeric(17,2) NOT NULL,
  afectados      numeric(17,2) NOT NULL,
  PRIMARY KEY (usuario, ejercicio)
);

-- Lo percibido hasta la fecha por año y por origen y afectación de la fuente,
-- del año pedido y los cuatro anteriores que tengan cálculo de recursos; nada
-- si el año pedido no lo tiene.
CREATE FUNCTION owner_sarvo.ges_percibido_por_fuente(p_ejercicio integer, p_fecha date)
  RETURNS TABLE (ejercicio smallint, origen varchar, afectado varchar, importe numeric)
  LANGUAGE sql STABLE
  AS $$
    SELECT a.ejercicio, f.origen, f.afectado, coalesce(sum(i.importe), 0)
      FROM (SELECT DISTINCT pr.ejercicio FROM owner_sarvo.partidas_recurso pr
             WHERE pr.ejercicio BETWEEN p_ejercicio - 4 AND p_ejercicio
               AND EXISTS (SELECT 1 FROM owner_sarvo.partidas_recurso x WHERE x.ejercicio = p_ejercicio)) a
     CROSS JOIN owner_sarvo.fuentes_financiamiento f
      LEFT JOIN (owner_sarvo.ingresos i JOIN owner_sarvo.recursos r ON r.cod_recurso = i.cod_recurso)
        ON i.ejercicio = a.ejercicio AND r.cod_fuente = f.cod_fuente AND i.fecha <= p_fecha
     GROUP BY a.ejercicio, f.origen, f.afectado
  $$;

-- Primera parte: reemplaza las filas del usuario con lo percibido por origen;
-- la afectación queda en cero hasta la segunda parte.
CREATE FUNCTION owner_sarvo.ges_genera_recur_codi_proce(p_usuario integer, p_ejercicio integer,
                                                        p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_recursos_x_ori_proce', p_usuario);
    DELETE FROM owner_sarvo.ges_recursos_x_ori_proce WHERE usuario = p_usuario;
    INSERT INTO owner_sarvo.ges_recursos_x_ori_proce (usuario, ejercicio, fecha, rec_municipal,
                                                      rec_provincial, rec_nacional, libre_dispo, afectados)
    SELECT p_usuario, x.ejercicio, p_fecha,
           coalesce(sum(x.importe) FILTER (WHERE x.origen = 'M'), 0),
           coalesce(sum(x.importe) FILTER (WHERE x.origen = 'P'), 0),
           coalesce(sum(x.importe) FILTER (WHERE x.origen = 'N'), 0),
           0, 0
      FROM owner_sarvo.ges_percibido_por_fuente(p_ejercicio, p_fecha) x
     GROUP BY x.ejercicio
     ORDER BY x.ejercicio;
  END
  $$;

-- Segunda parte: la afectación de los mismos años. Si la primera no corrió o
-- falló, igual deja un año por fila (el origen de un año nuevo queda en cero)
-- y quita los años que ya no corresponden.
CREATE FUNCTION owner_sarvo.ges_genera_recur_proce_per(p_usuario integer, p_ejercicio integer,
                                                       p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_recursos_x_ori_proce', p_usuario);
    DELETE FROM owner_sarvo.ges_recursos_x_ori_proce g
     WHERE g.usuario = p_usuario
       AND g.ejercicio NOT IN (SELECT x.ejercicio FROM owner_sarvo.ges_percibido_por_fuente(p_ejercicio, p_fecha) x);
    INSERT INTO owner_sarvo.ges_recursos_x_ori_proce (usuario, ejercicio, fecha, rec_municipal,
                                                      rec_provincial, rec_nacional, libre_dispo, afectados)
    SELECT p_usuario, x.ejercicio, p_fecha, 0, 0, 0,
           coalesce(sum(x.importe) FILTER (WHERE x.afectado = 'N'), 0),
           coalesce(sum(x.importe) FILTER (WHERE x.afectado = 'S'), 0)
      FROM owner_sarvo.ges_percibido_por_fuente(p_ejercicio, p_fecha) x
     GROUP BY x.ejercicio
     ORDER BY x.ejercicio
    ON CONFLICT (usuario, ejercicio) DO UPDATE
      SET fecha = EXCLUDED.fecha, libre_dispo = EXCLUDED.libre_dispo, afectados = EXCLUDED.afectados;
  END
  $$;

GRANT SELECT, INSERT, UPDATE, DELETE ON owner_sarvo.ges_recursos_x_ori_proce TO sarvo_usuarios;
GRANT EXECUTE ON FUNCTION owner_sarvo.ges_percibido_por_fuente(integer, date),
                          owner_sarvo.ges_genera_recur_codi_proce(integer, integer, date),
                          owner_sarvo.ges_genera_recur_proce_per(integer, integer, date) TO sarvo_usuarios;
