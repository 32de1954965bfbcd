-- Municipio grande (scripts/basedatos iniciar DIR --grande): el ejercicio 2017
-- con 20 000 proveedores propios y 200 000 órdenes de compra, con su
-- compromiso, devengado y pago. Solo compras: ese año no tiene personal,
-- recursos ni cargos. Queda fuera de los cinco años que muestran las
-- estadísticas de 2022 a 2026, así que no cambia sus cifras.

SET client_min_messages = warning;

SELECT setseed(0.2017);

INSERT INTO owner_sarvo.ejercicios (ejercicio, fecha_apertura, fecha_cierre, estado, coef_precios)
VALUES (2017, DATE '2017-01-01', DATE '2017-12-31', 'C', 0.3000);

-- Proveedores 100001 a 120000, repartidos entre los rubros.
INSERT INTO owner_sarvo.proveedores (cod_proveedor, razon_social, cuit, localidad, cod_rubro, fecha_alta)
SELECT 100000 + g.n,
       (ARRAY['Almacén','Tienda','Librería','Estación de Servicio','Droguería','Corralón',
              'Ferretería','Electricidad','Distribuidora','Repuestos','Alquileres','Servicios',
              'Estudio','Constructora','Maquinarias','Informática'])[1 + (g.n - 1) % 16]
         || ' ' ||
       (ARRAY['Aguirre','Benítez','Castro','Domínguez','Echeverría','Fernández','Giménez','Herrera',
              'Iturralde','Juárez','Ledesma','Moreno','Navarro','Ortiz','Paz','Quiroga','Rossi',
              'Sosa','Torres','Ubaldini','Vega','Zárate'])[1 + floor(random() * 22)::int]
         || ' ' || g.n::text,
       '33-' || lpad(g.n::text, 8, '0') || '-' || (g.n % 10)::text,
       (ARRAY['Ciudad Grande','Ciudad Grande','Puerto Nuevo','Villa Serrana','La Plata'])[1 + floor(random() * 5)::int],
       1 + (g.n - 1) % 16,
       DATE '2005-01-01' + floor(random() * 4000)::int
  FROM generate_series(1, 20000) AS g(n);

-- Partidas de bienes, servicios y obras de cada categoría; el crédito se
-- ajusta después a lo comprado.
INSERT INTO owner_sarvo.partidas_gasto (ejercicio, id_partida, id_categoria, inciso, partida_principal,
                                        cod_fuente, credito_original)
SELECT 2017, row_number() OVER (ORDER BY c.id_categoria, p.partida), c.id_categoria,
       p.partida / 10, p.partida % 10, 110, 0
  FROM owner_sarvo.categorias_programaticas c
 CROSS JOIN LATERAL unnest(c.partidas) AS p(partida)
 WHERE p.partida / 10 IN (2, 3, 4);

-- Órdenes: una por proveedor y el resto concentrado en los primeros
-- (distribución con cola larga, como en una lista de Pareto real).
INSERT INTO owner_sarvo.ordenes_compra (ejercicio, nro_orden, fecha_orden, cod_tipo_compra,
                                        cod_proveedor, cod_rubro, id_partida, importe, estado)
WITH sorteo AS (
  SELECT g.n,
         CASE WHEN g.n <= 20000 THEN 100000 + g.n
              ELSE 100001 + floor(20000 * power(random(), 2))::int END AS proveedor,
         random() AS r_tipo, random() AS r_dia, random() AS r_part, random() AS r_monto, random() AS r_anula
    FROM generate_series(1, 200000) AS g(n)
), dias AS (
  SELECT array_agg(d::date ORDER BY d) AS lista
    FROM generate_series(DATE '2017-01-02', DATE '2017-12-29', interval '1 day') AS d
   WHERE extract(isodow FROM d) < 6
), partes AS (
  SELECT r.cod_rubro, array_agg(p.id_partida ORDER BY p.id_partida) AS lista
    FROM owner_sarvo.rubros_bienes r
    JOIN owner_sarvo.partidas_gasto p
      ON p.inciso = r.inciso AND p.partida_principal = r.partida_principal AND p.ejercicio = 2017
   GROUP BY r.cod_rubro
), ordenes AS (
  SELECT s.*, pv.cod_rubro,
         d.lista[1 + floor(s.r_dia * array_length(d.lista, 1))::int] AS fecha,
         CASE WHEN s.r_tipo < 0.37 THEN 'CC' WHEN s.r_tipo < 0.71 THEN 'CD' WHEN s.r_tipo < 0.875 THEN 'CP'
              WHEN s.r_tipo < 0.955 THEN 'LR' WHEN s.r_tipo < 0.993 THEN 'LP' ELSE 'CE' END AS tipo
    FROM sorteo s
    JOIN owner_sarvo.proveedores pv ON pv.cod_proveedor = s.proveedor
   CROSS JOIN dias d
)
SELECT 2017, row_number() OVER (ORDER BY o.fecha, o.n), o.fecha, o.tipo, o.proveedor, o.cod_rubro,
       pt.lista[1 + floor(o.r_part * array_length(pt.lista, 1))::int],
       round(0.30 * exp(ln(tc.monto_desde) + o.r_monto::numeric * (ln(tc.monto_hasta) - ln(tc.monto_desde))), 2),
       CASE WHEN o.r_anula < 0.015 THEN 'A' ELSE 'E' END
  FROM ordenes o
  JOIN owner_sarvo.tipos_compra tc ON tc.cod_tipo_compra = o.tipo
  JOIN partes pt ON pt.cod_rubro = o.cod_rubro;

UPDATE owner_sarvo.partidas_gasto p
   SET credito_original = round(coalesce(o.comprado, 0) * (1.02 + 0.25 * random()::numeric) + 45000, 2)
  FROM (SELECT id_partida, sum(importe) AS comprado FROM owner_sarvo.ordenes_compra
         WHERE ejercicio = 2017 AND estado = 'E' GROUP BY id_partida) o
 WHERE p.ejercicio = 2017 AND o.id_partida = p.id_partida;
UPDATE owner_sarvo.partidas_gasto
   SET credito_original = 45000
 WHERE ejercicio = 2017 AND credito_original = 0;
UPDATE owner_sarvo.partidas_gasto
   SET modificaciones = round(credito_original * (0.15 * random()::numeric - 0.04), 2)
 WHERE ejercicio = 2017;

-- Ejecución de las órdenes emitidas, toda dentro de 2017.
INSERT INTO owner_sarvo.movimientos_gasto (ejercicio, nro_movimiento, id_partida, etapa, fecha, importe,
                                           nro_orden, cod_proveedor)
WITH etapas AS (
  SELECT o.nro_orden, o.id_partida, o.cod_proveedor, o.importe, o.fecha_orden,
         o.fecha_orden + 5 + floor(random() * 41)::int AS fecha_dev,
         7 + floor(random() * 69)::int AS demora_pago
    FROM owner_sarvo.ordenes_compra o
   WHERE o.ejercicio = 2017 AND o.estado = 'E'
)
SELECT 2017, row_number() OVER (ORDER BY m.fecha, m.etapa, m.nro_orden), m.id_partida, m.etapa, m.fecha,
       m.importe, m.nro_orden, m.cod_proveedor
  FROM (
    SELECT nro_orden, id_partida, cod_proveedor, importe, 'C' AS etapa, fecha_orden AS fecha FROM etapas
    UNION ALL
    SELECT nro_orden, id_partida, cod_proveedor, importe, 'D', fecha_dev FROM etapas
     WHERE fecha_dev <= DATE '2017-12-31'
    UNION ALL
    SELECT nro_orden, id_partida, cod_proveedor, importe, 'P', fecha_dev + demora_pago FROM etapas
     WHERE fecha_dev + demora_pago <= DATE '2017-12-31'
  ) m;

ANALYZE owner_sarvo.proveedores;
ANALYZE owner_sarvo.partidas_gasto;
ANALYZE owner_sarvo.ordenes_compra;
ANALYZE owner_sarvo.movimientos_gasto;
