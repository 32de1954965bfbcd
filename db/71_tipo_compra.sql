-- Estadística de tipos de compra: tabla de trabajo por usuario y su generación.

SET client_min_messages = warning;

-- Una fila por tipo de compra con órdenes en el año, para cada usuario que generó.
CREATE TABLE owner_sarvo.ges_tipo_compra (
  cod_usuario     integer       NOT NULL,
  ejercicio       smallint      NOT NULL,
  fecha           date          NOT NULL,   -- fecha hasta la que se contó
  cod_tipo_compra varchar(2)    NOT NULL,
  descripcion     varchar(60)   NOT NULL,
  cantidad        integer       NOT NULL,   -- órdenes emitidas (sin anuladas)
  importe         numeric(15,2) NOT NULL    -- suma de las órdenes, en pesos
);
CREATE INDEX ges_tipo_compra_usuario ON owner_sarvo.ges_tipo_compra (cod_usuario);

-- Órdenes de compra emitidas del ejercicio hasta la fecha, contadas por tipo.
-- Reemplaza lo que el usuario tenía; la confirmación queda a cargo de quien llama.
-- La fecha llega como literal día/mes/año y la convierte el estilo de fechas de la sesión.
CREATE FUNCTION owner_sarvo.ges_genera_tipo_compra(p_cod_usuario integer, p_ejercicio integer,
                                                   p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_tipo_compra', p_cod_usuario);
    DELETE FROM owner_sarvo.ges_tipo_compra WHERE cod_usuario = p_cod_usuario;
    INSERT INTO owner_sarvo.ges_tipo_compra (cod_usuario, ejercicio, fecha, cod_tipo_compra,
                                             descripcion, cantidad, importe)
    SELECT p_cod_usuario, p_ejercicio, p_fecha, t.cod_tipo_compra, t.descripcion,
           count(*), sum(o.importe)
      FROM owner_sarvo.ordenes_compra o
      JOIN owner_sarvo.tipos_compra t ON t.cod_tipo_compra = o.cod_tipo_compra
     WHERE o.ejercicio = p_ejercicio
       AND o.fecha_orden <= p_fecha
       AND o.estado = 'E'
     GROUP BY t.cod_tipo_compra, t.descripcion
     ORDER BY count(*) DESC, t.cod_tipo_compra;
  END
  $$;

GRANT SELECT, INSERT, UPDATE, DELETE ON owner_sarvo.ges_tipo_compra TO sarvo_usuarios;
GRANT EXECUTE ON FUNCTION owner_sarvo.ges_genera_tipo_compra(integer, integer, date) TO sarvo_usuarios;
