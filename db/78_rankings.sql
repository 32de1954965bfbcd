-- Rankings de proveedores y de rubros de bienes: órdenes de compra emitidas
-- (sin anuladas) del ejercicio hasta la fecha, de mayor a menor importe.
-- Lista de Pareto: participación de cada uno y acumulada; clase A mientras lo
-- acumulado antes de la fila no llega al 80%, B hasta el 95%, C el resto.

SET client_min_messages = warning;

-- Una fila por proveedor con órdenes, por usuario. El rubro es el principal
-- del proveedor.
CREATE TABLE owner_sarvo.ges_compras_x_prov (
  usuario         integer       NOT NULL,
  ejercicio       smallint      NOT NULL,
  fecha           date          NOT NULL,   -- fecha hasta la que se contó
  ranking         integer       NOT NULL,   -- puesto: 1 el de mayor importe
  cod_proveedor   integer       NOT NULL,
  razon_social    varchar(100)  NOT NULL,
  cuit            varchar(13)   NOT NULL,
  cod_rubro       smallint      NOT NULL,
  rubro           varchar(80)   NOT NULL,
  ranking_rubro   integer       NOT NULL,   -- puesto dentro de su rubro
  cantidad        integer       NOT NULL,   -- órdenes
  importe         numeric(17,2) NOT NULL,   -- suma de las órdenes, en pesos
  porcentaje      numeric(9,4)  NOT NULL,   -- del importe total del ejercicio
  porcentaje_acum numeric(9,4)  NOT NULL,   -- de los puestos 1 a este
  clase           varchar(1)    NOT NULL,   -- A, B o C
  PRIMARY KEY (usuario, ranking)
);

-- Una fila por rubro de bienes con órdenes (el rubro de cada orden), por usuario.
CREATE TABLE owner_sarvo.ges_compras_x_rubro (
  usuario         integer       NOT NULL,
  ejercicio       smallint      NOT NULL,
  fecha           date          NOT NULL,
  ranking         integer       NOT NULL,
  cod_rubro       smallint      NOT NULL,
  rubro           varchar(80)   NOT NULL,
  proveedores     integer       NOT NULL,   -- proveedores distintos con órdenes del rubro
  cantidad        integer       NOT NULL,
  importe         numeric(17,2) NOT NULL,
  porcentaje      numeric(9,4)  NOT NULL,
  porcentaje_acum numeric(9,4)  NOT NULL,
  clase           varchar(1)    NOT NULL,
  PRIMARY KEY (usuario, ranking)
);

-- Clase de Pareto según lo acumulado antes de la fila, en porcentaje.
CREATE FUNCTION owner_sarvo.ges_clase_pareto(p_acumulado_previo numeric) RETURNS varchar
  LANGUAGE sql IMMUTABLE
  AS $$ SELECT CASE WHEN $1 < 80 THEN 'A' WHEN $1 < 95 THEN 'B' ELSE 'C' END::varchar $$;

CREATE FUNCTION owner_sarvo.ges_genera_compras_x_prov(p_usuario integer, p_ejercicio integer,
                                                      p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_compras_x_prov', p_usuario);
    DELETE FROM owner_sarvo.ges_compras_x_prov WHERE usuario = p_usuario;
    INSERT INTO owner_sarvo.ges_compras_x_prov (usuario, ejercicio, fecha, ranking, cod_proveedor,
                                                razon_social, cuit, cod_rubro, rubro, ranking_rubro,
                                                cantidad, importe,
                                                porcentaje, porcentaje_acum, clase)
    WITH compras AS (
      SELECT o.cod_proveedor, count(*) AS cantidad, sum(o.importe) AS importe
        FROM owner_sarvo.ordenes_compra o
       WHERE o.ejercicio = p_ejercicio
         AND o.fecha_orden <= p_fecha
         AND o.estado = 'E'
       GROUP BY o.cod_proveedor
    ), acumulado AS (
      SELECT c.*,
             row_number() OVER w AS ranking,
             sum(c.importe) OVER w AS acumulado,
             sum(c.importe) OVER () AS total
        FROM compras c
      WINDOW w AS (ORDER BY c.importe DESC, c.cod_proveedor ROWS UNBOUNDED PRECEDING)
    )
    SELECT p_usuario, p_ejercicio, p_fecha, a.ranking, a.cod_proveedor, p.razon_social, p.cuit,
           p.cod_rubro, r.descripcion,
           row_number() OVER (PARTITION BY p.cod_rubro ORDER BY a.ranking),
           a.cantidad, a.importe,
           coalesce(round(100 * a.importe / nullif(a.total, 0), 4), 0),
           coalesce(round(100 * a.acumulado / nullif(a.total, 0), 4), 0),
           owner_sarvo.ges_clase_pareto(coalesce(100 * (a.acumulado - a.importe) / nullif(a.total, 0), 0))
      FROM acumulado a
      JOIN owner_sarvo.proveedores p ON p.cod_proveedor = a.cod_proveedor
      JOIN owner_sarvo.rubros_bienes r ON r.cod_rubro = p.cod_rubro
     ORDER BY a.ranking;
  END
  $$;

CREATE FUNCTION owner_sarvo.ges_genera_compras_x_rubro(p_usuario integer, p_ejercicio integer,
                                                       p_fecha date) RETURNS void
  LANGUAGE plpgsql
  AS $$
  BEGIN
    PERFORM owner_sarvo.ges_bloquear_usuario('ges_compras_x_rubro', p_usuario);
    DELETE FROM owner_sarvo.ges_compras_x_rubro WHERE usuario = p_usuario;
    INSERT INTO owner_sarvo.ges_compras_x_rubro (usuario, ejercicio, fecha, ranking, cod_rubro, rubro,
                                                 proveedores, cantidad, importe, porcentaje,
                                                 porcentaje_acum, clase)
    WITH compras AS (
      SELECT o.cod_rubro, count(DISTINCT o.cod_proveedor) AS proveedores, count(*) AS cantidad,
             sum(o.importe) AS importe
        FROM owner_sarvo.ordenes_compra o
       WHERE o.ejercicio = p_ejercicio
         AND o.fecha_orden <= p_fecha
         AND o.estado = 'E'
       GROUP BY o.cod_rubro
    ), acumulado AS (
      SELECT c.*,
             row_number() OVER w AS ranking,
             sum(c.importe) OVER w AS acumulado,
             sum(c.importe) OVER () AS total
        FROM compras c
      WINDOW w AS (ORDER BY c.importe DESC, c.cod_rubro ROWS UNBOUNDED PRECEDING)
    )
    SELECT p_usuario, p_ejercicio, p_fecha, a.ranking, a.cod_rubro, r.descripcion, a.proveedores,
           a.cantidad, a.importe,
           coalesce(round(100 * a.importe / nullif(a.total, 0), 4), 0),
           coalesce(round(100 * a.acumulado / nullif(a.total, 0), 4), 0),
           owner_sarvo.ges_clase_pareto(coalesce(100 * (a.acumulado - a.importe) / nullif(a.total, 0), 0))
      FROM acumulado a
      JOIN owner_sarvo.rubros_bienes r ON r.cod_rubro = a.cod_rubro
     ORDER BY a.ranking;
  END
  $$;

GRANT SELECT, INSERT, UPDATE, DELETE ON owner_sarvo.ges_compras_x_prov, owner_sarvo.ges_compras_x_rubro
   TO sarvo_usuarios;
GRANT EXECUTE ON FUNCTION owner_sarvo.ges_clase_pareto(numeric),
                          owner_sarvo.ges_genera_compras_x_prov(integer, integer, date),
                          owner_sarvo.ges_genera_compras_x_rubro(integer, integer, date) TO sarvo_usuarios;
