-- Finanzas de la Municipalidad de Villa Serrana, ejercicios 2022 a 2026:
-- clasificadores, presupuesto de gastos y de recursos, órdenes de compra,
-- ejecución del gasto (compromiso, devengado, pagado), ingresos percibidos,
-- cargos presupuestados y agentes. Las estadísticas se calculan desde aquí.
--
-- Los datos se generan con una semilla fija: cada carga da los mismos números.
-- Nada queda fechado después del día de la carga.

SET client_min_messages = warning;

-- ---------------------------------------------------------------------------
-- Clasificadores
-- ---------------------------------------------------------------------------

CREATE TABLE owner_sarvo.ejercicios (
  ejercicio      smallint    PRIMARY KEY,
  fecha_apertura date        NOT NULL,
  fecha_cierre   date        NOT NULL,
  estado         varchar(1)  NOT NULL DEFAULT 'A',   -- A abierto, C cerrado
  coef_precios   numeric(8,4) NOT NULL                -- nivel de precios relativo a 2022
);

INSERT INTO owner_sarvo.ejercicios (ejercicio, fecha_apertura, fecha_cierre, estado, coef_precios) VALUES
  (2022, DATE '2022-01-01', DATE '2022-12-31', 'C', 1.0000),
  (2023, DATE '2023-01-01', DATE '2023-12-31', 'C', 2.1000),
  (2024, DATE '2024-01-01', DATE '2024-12-31', 'C', 5.6000),
  (2025, DATE '2025-01-01', DATE '2025-12-31', 'C', 7.7000),
  (2026, DATE '2026-01-01', DATE '2026-12-31', 'A', 9.6000);

-- Tipos de compra según el régimen de contrataciones; los montos son los de 2022
-- y se actualizan con el coeficiente de precios del ejercicio.
CREATE TABLE owner_sarvo.tipos_compra (
  cod_tipo_compra varchar(2)    PRIMARY KEY,
  descripcion     varchar(60)   NOT NULL,
  monto_desde     numeric(15,2) NOT NULL,
  monto_hasta     numeric(15,2) NOT NULL
);

INSERT INTO owner_sarvo.tipos_compra (cod_tipo_compra, descripcion, monto_desde, monto_hasta) VALUES
  ('LP', 'Licitación Pública',         12000000,  50000000),
  ('LR', 'Licitación Privada',          3500000,  12000000),
  ('CP', 'Concurso de Precios',          800000,   3500000),
  ('CD', 'Compra Directa',                40000,    800000),
  ('CC', 'Caja Chica',                     2000,     40000),
  ('CE', 'Contratación de Emergencia',   500000,  15000000);

CREATE TABLE owner_sarvo.incisos (
  inciso      smallint     PRIMARY KEY,
  descripcion varchar(80)  NOT NULL
);

INSERT INTO owner_sarvo.incisos (inciso, descripcion) VALUES
  (1, 'Gastos en Personal'),
  (2, 'Bienes de Consumo'),
  (3, 'Servicios No Personales'),
  (4, 'Bienes de Uso'),
  (5, 'Transferencias'),
  (7, 'Servicio de la Deuda');

-- Objeto del gasto: inciso y partida principal.
CREATE TABLE owner_sarvo.partidas_principales (
  inciso            smallint    NOT NULL REFERENCES owner_sarvo.incisos,
  partida_principal smallint    NOT NULL,
  descripcion       varchar(100) NOT NULL,
  PRIMARY KEY (inciso, partida_principal)
);

INSERT INTO owner_sarvo.partidas_principales (inciso, partida_principal, descripcion) VALUES
  (1, 1, 'Personal Permanente'),
  (1, 2, 'Personal Temporario'),
  (1, 3, 'Servicios Extraordinarios'),
  (2, 1, 'Productos Alimenticios, Agropecuarios y Forestales'),
  (2, 2, 'Textiles y Vestuario'),
  (2, 3, 'Productos de Papel, Cartón e Impresos'),
  (2, 5, 'Productos Químicos, Combustibles y Lubricantes'),
  (2, 6, 'Productos de Minerales No Metálicos'),
  (2, 7, 'Productos Metálicos'),
  (2, 9, 'Otros Bienes de Consumo'),
  (3, 1, 'Servicios Básicos'),
  (3, 2, 'Alquileres y Derechos'),
  (3, 3, 'Mantenimiento, Reparación y Limpieza'),
  (3, 4, 'Servicios Técnicos y Profesionales'),
  (3, 5, 'Servicios Comerciales y Financieros'),
  (4, 2, 'Construcciones'),
  (4, 3, 'Maquinaria y Equipo'),
  (5, 1, 'Transferencias al Sector Privado'),
  (5, 7, 'Transferencias a Otras Entidades del Sector Público'),
  (7, 1, 'Servicio de la Deuda Interna');

-- Categorías programáticas: jurisdicción, programa y actividad.
CREATE TABLE owner_sarvo.categorias_programaticas (
  id_categoria     smallint     PRIMARY KEY,
  cod_jurisdiccion smallint     NOT NULL,
  jurisdiccion     varchar(80)  NOT NULL,
  programa         smallint     NOT NULL,
  actividad        smallint     NOT NULL,
  descripcion      varchar(100) NOT NULL,
  peso_personal    numeric(6,2) NOT NULL,   -- parte de la planta que trabaja en ella
  partidas         smallint[]   NOT NULL    -- partidas (inciso*10+principal) que presupuesta
);

INSERT INTO owner_sarvo.categorias_programaticas
  (id_categoria, cod_jurisdiccion, jurisdiccion, programa, actividad, descripcion, peso_personal, partidas) VALUES
  ( 1, 1, 'Intendencia',                           1, 1, 'Conducción Superior',                   3, '{11,12,23,29,31,34,57}'),
  ( 2, 2, 'Secretaría de Gobierno',               10, 1, 'Administración General',                6, '{11,12,13,23,29,31,32,33}'),
  ( 3, 2, 'Secretaría de Gobierno',               11, 1, 'Tránsito y Seguridad Vial',             5, '{11,12,13,22,25,29,33,43}'),
  ( 4, 3, 'Secretaría de Hacienda y Finanzas',    12, 1, 'Administración Financiera',             5, '{11,12,23,29,34,35,71}'),
  ( 5, 3, 'Secretaría de Hacienda y Finanzas',    13, 1, 'Rentas y Recaudación',                  4, '{11,12,13,23,34,35}'),
  ( 6, 4, 'Secretaría de Obras y Servicios Públicos', 16, 1, 'Alumbrado Público',                 6, '{11,12,13,27,31,33,43}'),
  ( 7, 4, 'Secretaría de Obras y Servicios Públicos', 17, 1, 'Recolección de Residuos',          14, '{11,12,13,22,25,29,32,33,43}'),
  ( 8, 4, 'Secretaría de Obras y Servicios Públicos', 18, 1, 'Conservación de Calles y Caminos', 12, '{11,12,13,25,26,27,32,33,43}'),
  ( 9, 4, 'Secretaría de Obras y Servicios Públicos', 19, 1, 'Obras de Infraestructura',          4, '{11,12,26,27,34,42,43}'),
  (10, 5, 'Secretaría de Salud',                  20, 1, 'Atención Primaria de la Salud',        10, '{11,12,13,21,22,25,29,33,43}'),
  (11, 5, 'Secretaría de Salud',                  21, 1, 'Hospital Municipal',                   18, '{11,12,13,21,22,25,29,31,33,34,43}'),
  (12, 6, 'Secretaría de Desarrollo Social',      22, 1, 'Asistencia Alimentaria',                4, '{11,12,21,29,51}'),
  (13, 6, 'Secretaría de Desarrollo Social',      23, 1, 'Niñez, Adolescencia y Familia',         5, '{11,12,21,22,23,29,51}'),
  (14, 7, 'Honorable Concejo Deliberante',         1, 1, 'Actividad Legislativa',                 4, '{11,12,23,29,31,34}');

-- Rubros de bienes y servicios de las órdenes de compra.
CREATE TABLE owner_sarvo.rubros_bienes (
  cod_rubro         smallint     PRIMARY KEY,
  descripcion       varchar(80)  NOT NULL,
  inciso            smallint     NOT NULL,
  partida_principal smallint     NOT NULL,
  FOREIGN KEY (inciso, partida_principal) REFERENCES owner_sarvo.partidas_principales
);

INSERT INTO owner_sarvo.rubros_bienes (cod_rubro, descripcion, inciso, partida_principal) VALUES
  ( 1, 'Alimentos y Bebidas',                 2, 1),
  ( 2, 'Indumentaria y Ropa de Trabajo',      2, 2),
  ( 3, 'Librería y Papelería',                2, 3),
  ( 4, 'Combustibles y Lubricantes',          2, 5),
  ( 5, 'Medicamentos e Insumos Sanitarios',   2, 5),
  ( 6, 'Materiales de Construcción',          2, 6),
  ( 7, 'Ferretería',                          2, 7),
  ( 8, 'Luminarias y Material Eléctrico',     2, 7),
  ( 9, 'Artículos de Limpieza',               2, 9),
  (10, 'Repuestos de Automotor',              2, 9),
  (11, 'Alquiler de Maquinaria',              3, 2),
  (12, 'Mantenimiento y Reparaciones',        3, 3),
  (13, 'Servicios Profesionales',             3, 4),
  (14, 'Obra Pública',                        4, 2),
  (15, 'Rodados y Maquinaria Vial',           4, 3),
  (16, 'Equipamiento Informático',            4, 3);

CREATE TABLE owner_sarvo.proveedores (
  cod_proveedor integer      PRIMARY KEY,
  razon_social  varchar(100) NOT NULL,
  cuit          varchar(13)  NOT NULL UNIQUE,
  localidad     varchar(60)  NOT NULL,
  cod_rubro     smallint     NOT NULL REFERENCES owner_sarvo.rubros_bienes,  -- rubro principal
  fecha_alta    date         NOT NULL
);

-- Fuentes de financiamiento de los recursos y de las partidas de gasto.
CREATE TABLE owner_sarvo.fuentes_financiamiento (
  cod_fuente  smallint     PRIMARY KEY,
  descripcion varchar(80)  NOT NULL,
  origen      varchar(1)   NOT NULL,   -- M municipal, P provincial, N nacional
  afectado    varchar(1)   NOT NULL    -- S afectado a un destino, N libre disponibilidad
);

INSERT INTO owner_sarvo.fuentes_financiamiento (cod_fuente, descripcion, origen, afectado) VALUES
  (110, 'Tesoro Municipal',                             'M', 'N'),
  (120, 'Coparticipación Provincial',                   'P', 'N'),
  (131, 'Recursos Afectados de Origen Municipal',       'M', 'S'),
  (132, 'Recursos Afectados de Origen Provincial',      'P', 'S'),
  (133, 'Recursos Afectados de Origen Nacional',        'N', 'S');

-- Clasificador de recursos. tipo: T tributario, N no tributario, O otros.
CREATE TABLE owner_sarvo.recursos (
  cod_recurso  varchar(10)   PRIMARY KEY,
  descripcion  varchar(100)  NOT NULL,
  tipo         varchar(1)    NOT NULL,
  cod_fuente   smallint      NOT NULL REFERENCES owner_sarvo.fuentes_financiamiento,
  calculo_2022 numeric(15,2) NOT NULL,   -- cálculo anual de 2022, base de los demás
  dias_cobro   smallint      NOT NULL    -- días hábiles del mes en que suele percibirse
);

INSERT INTO owner_sarvo.recursos (cod_recurso, descripcion, tipo, cod_fuente, calculo_2022, dias_cobro) VALUES
  ('11.1.01', 'Tasa por Servicios Generales',               'T', 110,  900000000, 22),
  ('11.1.02', 'Tasa por Inspección de Seguridad e Higiene', 'T', 110,  520000000, 22),
  ('11.1.03', 'Derechos de Construcción',                   'T', 110,   85000000, 14),
  ('11.1.04', 'Patentes de Rodados',                        'T', 110,  140000000, 18),
  ('11.1.05', 'Tasa por Conservación de la Red Vial',       'T', 131,  210000000, 22),
  ('11.1.06', 'Contribución para Salud Pública',            'T', 131,  120000000, 22),
  ('12.1.01', 'Multas por Infracciones de Tránsito',        'N', 110,   60000000, 20),
  ('12.1.02', 'Alquileres y Concesiones',                   'N', 110,   35000000,  6),
  ('12.1.03', 'Aranceles del Hospital Municipal',           'N', 131,   75000000, 22),
  ('17.1.01', 'Coparticipación Provincial de Impuestos',    'O', 120, 3800000000, 22),
  ('17.1.02', 'Fondo Educativo',                            'O', 132,  260000000,  4),
  ('17.1.03', 'Fondo de Fortalecimiento de Programas Sociales', 'O', 132, 150000000, 2),
  ('17.2.01', 'Fondo Federal Solidario',                    'O', 133,  180000000,  3),
  ('17.2.02', 'Programas Nacionales de Infraestructura',    'O', 133,  230000000,  1),
  ('21.1.01', 'Venta de Bienes en Desuso',                  'O', 110,   15000000,  1);

-- ---------------------------------------------------------------------------
-- Presupuesto y ejecución
-- ---------------------------------------------------------------------------

-- Partidas del presupuesto de gastos: categoría programática, objeto y fuente.
CREATE TABLE owner_sarvo.partidas_gasto (
  ejercicio         smallint      NOT NULL REFERENCES owner_sarvo.ejercicios,
  id_partida        integer       NOT NULL,
  id_categoria      smallint      NOT NULL REFERENCES owner_sarvo.categorias_programaticas,
  inciso            smallint      NOT NULL,
  partida_principal smallint      NOT NULL,
  cod_fuente        smallint      NOT NULL REFERENCES owner_sarvo.fuentes_financiamiento,
  credito_original  numeric(15,2) NOT NULL,
  modificaciones    numeric(15,2) NOT NULL DEFAULT 0,   -- vigente = original + modificaciones
  PRIMARY KEY (ejercicio, id_partida),
  FOREIGN KEY (inciso, partida_principal) REFERENCES owner_sarvo.partidas_principales
);

CREATE TABLE owner_sarvo.ordenes_compra (
  ejercicio       smallint      NOT NULL,
  nro_orden       integer       NOT NULL,
  fecha_orden     date          NOT NULL,
  cod_tipo_compra varchar(2)    NOT NULL REFERENCES owner_sarvo.tipos_compra,
  cod_proveedor   integer       NOT NULL REFERENCES owner_sarvo.proveedores,
  cod_rubro       smallint      NOT NULL REFERENCES owner_sarvo.rubros_bienes,
  id_partida      integer       NOT NULL,
  importe         numeric(15,2) NOT NULL,
  estado          varchar(1)    NOT NULL DEFAULT 'E',   -- E emitida, A anulada
  PRIMARY KEY (ejercicio, nro_orden),
  FOREIGN KEY (ejercicio, id_partida) REFERENCES owner_sarvo.partidas_gasto
);
CREATE INDEX ordenes_compra_fecha ON owner_sarvo.ordenes_compra (ejercicio, fecha_orden);

-- Etapas del gasto imputadas a una partida: C compromiso, D devengado, P pagado.
-- El pago de un devengado de diciembre puede caer en el año siguiente: la
-- diferencia entre devengado y pagado a una fecha es la deuda flotante.
CREATE TABLE owner_sarvo.movimientos_gasto (
  ejercicio      smallint      NOT NULL,
  nro_movimiento integer       NOT NULL,
  id_partida     integer       NOT NULL,
  etapa          varchar(1)    NOT NULL,
  fecha          date          NOT NULL,
  importe        numeric(15,2) NOT NULL,
  nro_orden      integer,
  cod_proveedor  integer       REFERENCES owner_sarvo.proveedores,
  PRIMARY KEY (ejercicio, nro_movimiento),
  FOREIGN KEY (ejercicio, id_partida) REFERENCES owner_sarvo.partidas_gasto,
  CHECK (etapa IN ('C', 'D', 'P'))
);
CREATE INDEX movimientos_gasto_partida ON owner_sarvo.movimientos_gasto (ejercicio, id_partida, etapa);

-- Cálculo de recursos de cada ejercicio.
CREATE TABLE owner_sarvo.partidas_recurso (
  ejercicio        smallint      NOT NULL REFERENCES owner_sarvo.ejercicios,
  cod_recurso      varchar(10)   NOT NULL REFERENCES owner_sarvo.recursos,
  calculo_original numeric(15,2) NOT NULL,
  modificaciones   numeric(15,2) NOT NULL DEFAULT 0,
  PRIMARY KEY (ejercicio, cod_recurso)
);

-- Ingresos percibidos, uno por recurso y día de cobro.
CREATE TABLE owner_sarvo.ingresos (
  ejercicio   smallint      NOT NULL,
  nro_ingreso integer       NOT NULL,
  fecha       date          NOT NULL,
  cod_recurso varchar(10)   NOT NULL,
  importe     numeric(15,2) NOT NULL,
  PRIMARY KEY (ejercicio, nro_ingreso),
  FOREIGN KEY (ejercicio, cod_recurso) REFERENCES owner_sarvo.partidas_recurso
);
CREATE INDEX ingresos_fecha ON owner_sarvo.ingresos (fecha);

-- Cargos de la planta de personal presupuestados por ejercicio.
-- planta: P permanente, T temporaria.
CREATE TABLE owner_sarvo.cargos_presupuestados (
  ejercicio     smallint    NOT NULL REFERENCES owner_sarvo.ejercicios,
  planta        varchar(1)  NOT NULL,
  agrupamiento  varchar(30) NOT NULL,
  cantidad      smallint    NOT NULL,
  PRIMARY KEY (ejercicio, planta, agrupamiento)
);

-- Agentes; un cargo está ocupado mientras el agente no tiene egreso.
CREATE TABLE owner_sarvo.agentes (
  legajo         integer      PRIMARY KEY,
  apellido_nombre varchar(80) NOT NULL,
  planta         varchar(1)   NOT NULL,
  agrupamiento   varchar(30)  NOT NULL,
  id_categoria   smallint     NOT NULL REFERENCES owner_sarvo.categorias_programaticas,
  fecha_ingreso  date         NOT NULL,
  fecha_egreso   date
);

-- ---------------------------------------------------------------------------
-- Datos
-- ---------------------------------------------------------------------------

SELECT setseed(0.2026);

-- Proveedores: unos 40 por rubro entre casas locales y de la región.
INSERT INTO owner_sarvo.proveedores (cod_proveedor, razon_social, cuit, localidad, cod_rubro, fecha_alta)
SELECT p.n,
       (ARRAY['Almacén','Tienda','Librería','Estación de Servicio','Droguería','Corralón',
              'Ferretería','Electricidad','Distribuidora','Repuestos','Alquileres','Servicios',
              'Estudio','Constructora','Maquinarias','Informática'])[r.cod_rubro]
         || ' ' ||
       (ARRAY['Aguirre','Benítez','Castro','Domínguez','Echeverría','Fernández','Giménez','Herrera',
              'Iturralde','Juárez','Ledesma','Moreno','Navarro','Ortiz','Paz','Quiroga','Rossi',
              'Sosa','Torres','Ubaldini','Vega','Zárate','Del Valle','San Cayetano','La Serrana',
              'El Molino','Los Aromos','Las Acacias'])[1 + floor(random() * 28)::int]
         || (ARRAY[' S.A.',' S.R.L.',' S.A.S.',' e Hijos',''])[1 + floor(random() * 5)::int],
       '30-' || lpad((70000000 + p.n * 7919)::text, 8, '0') || '-' || (p.n % 10)::text,
       (ARRAY['Villa Serrana','Villa Serrana','Villa Serrana','Tandil','Olavarría','Azul',
              'Bahía Blanca','La Plata','Mar del Plata','Buenos Aires'])[1 + floor(random() * 10)::int],
       r.cod_rubro,
       DATE '2010-01-01' + floor(random() * 4000)::int
  FROM generate_series(1, 16 * 12) AS p(n)
  JOIN owner_sarvo.rubros_bienes r ON r.cod_rubro = 1 + (p.n - 1) % 16;

-- Partidas de gasto: cada categoría con sus partidas principales y dos
-- fuentes según el objeto. El crédito del personal sale de la planta; el de
-- bienes y servicios se ajusta después a las compras del año.
INSERT INTO owner_sarvo.partidas_gasto (ejercicio, id_partida, id_categoria, inciso, partida_principal,
                                        cod_fuente, credito_original)
SELECT e.ejercicio,
       row_number() OVER (PARTITION BY e.ejercicio ORDER BY c.id_categoria, p.partida),
       c.id_categoria, p.partida / 10, p.partida % 10,
       CASE WHEN p.partida IN (42, 43) AND c.cod_jurisdiccion = 4 THEN 133
            WHEN c.cod_jurisdiccion = 5 AND p.partida / 10 = 2 THEN 132
            WHEN p.partida = 51 THEN 132
            WHEN c.id_categoria IN (7, 8) AND p.partida / 10 IN (2, 3) THEN 131
            WHEN p.partida / 10 = 1 THEN 120
            ELSE 110 END,
       round(e.coef_precios * CASE p.partida
               WHEN 11 THEN 3000000000 * c.peso_personal / 100 * 0.78
               WHEN 12 THEN 3000000000 * c.peso_personal / 100 * 0.17
               WHEN 13 THEN 3000000000 * c.peso_personal / 100 * 0.05
               WHEN 31 THEN  18000000 + 9000000 * random()::numeric
               WHEN 35 THEN   6000000 + 3000000 * random()::numeric
               WHEN 51 THEN 120000000 + 60000000 * random()::numeric
               WHEN 57 THEN  70000000
               WHEN 71 THEN 160000000
               ELSE 1 END, 2)
  FROM owner_sarvo.ejercicios e
 CROSS JOIN owner_sarvo.categorias_programaticas c
 CROSS JOIN LATERAL unnest(c.partidas) AS p(partida)
 ORDER BY e.ejercicio, c.id_categoria, p.partida;

DO $$
DECLARE
  anio integer;
  -- Órdenes por año (año completo) y proporción de cada tipo de compra.
  cantidades integer[] := ARRAY[1910, 2040, 1860, 2110, 2230];
BEGIN
  FOR anio IN 2022 .. 2026 LOOP
    INSERT INTO owner_sarvo.ordenes_compra (ejercicio, nro_orden, fecha_orden, cod_tipo_compra,
                                            cod_proveedor, cod_rubro, id_partida, importe, estado)
    WITH sorteo AS (
      SELECT g.n, random() AS r_tipo, random() AS r_dia, random() AS r_enero, random() AS r_rubro,
             random() AS r_prov, random() AS r_part, random() AS r_monto, random() AS r_anula
        FROM generate_series(1, cantidades[anio - 2021]) AS g(n)
    ), tipo AS (
      SELECT s.*,
             -- Los tipos pesan distinto cada año (la emergencia de 2024 por las inundaciones).
             CASE WHEN s.r_tipo < 0.37 THEN 'CC'
                  WHEN s.r_tipo < 0.71 + (anio - 2024) * 0.004 THEN 'CD'
                  WHEN s.r_tipo < 0.875 THEN 'CP'
                  WHEN s.r_tipo < 0.955 THEN 'LR'
                  WHEN s.r_tipo < CASE anio WHEN 2024 THEN 0.975 ELSE 0.993 END THEN 'LP'
                  ELSE 'CE' END AS tipo,
             -- Día del año; enero (receso) tiene la mitad de movimiento.
             make_date(anio, 1, 2) + floor(s.r_dia * 362)::int AS dia0
        FROM sorteo s
    ), dia AS (
      SELECT t.*,
             CASE WHEN extract(month FROM t.dia0) = 1 AND t.r_enero < 0.5 THEN t.dia0 + 45 ELSE t.dia0 END AS dia1
        FROM tipo t
    ), habil AS (
      SELECT d.*,
             CASE extract(dow FROM d.dia1) WHEN 6 THEN d.dia1 - 1 WHEN 0 THEN d.dia1 + 1 ELSE d.dia1 END AS fecha,
             -- Rubros habituales de cada tipo de compra.
             CASE d.tipo
               WHEN 'CC' THEN (ARRAY[1,3,7,9,10,2])[1 + floor(d.r_rubro * 6)::int]
               WHEN 'CD' THEN (ARRAY[1,2,3,4,5,6,7,8,9,10,12,13])[1 + floor(d.r_rubro * 12)::int]
               WHEN 'CP' THEN (ARRAY[4,5,6,8,11,12,13,16])[1 + floor(d.r_rubro * 8)::int]
               WHEN 'LR' THEN (ARRAY[4,5,6,11,12,15,16])[1 + floor(d.r_rubro * 7)::int]
               WHEN 'LP' THEN (ARRAY[14,14,15,4,5])[1 + floor(d.r_rubro * 5)::int]
               ELSE (ARRAY[6,11,12,14])[1 + floor(d.r_rubro * 4)::int] END AS rubro
        FROM dia d
    ), provs AS (
      SELECT cod_rubro, array_agg(cod_proveedor ORDER BY cod_proveedor) AS lista
        FROM owner_sarvo.proveedores GROUP BY cod_rubro
    ), parts AS (
      SELECT r.cod_rubro, array_agg(p.id_partida ORDER BY p.id_partida) AS lista
        FROM owner_sarvo.rubros_bienes r
        JOIN owner_sarvo.partidas_gasto p
          ON p.inciso = r.inciso AND p.partida_principal = r.partida_principal AND p.ejercicio = anio
       GROUP BY r.cod_rubro
    )
    SELECT anio,
           row_number() OVER (ORDER BY h.fecha, h.n),
           h.fecha, h.tipo,
           pv.lista[1 + floor(h.r_prov * array_length(pv.lista, 1))::int],
           h.rubro,
           pt.lista[1 + floor(h.r_part * array_length(pt.lista, 1))::int],
           round(e.coef_precios * exp(ln(tc.monto_desde) + h.r_monto::numeric * (ln(tc.monto_hasta) - ln(tc.monto_desde))), 2),
           CASE WHEN h.r_anula < 0.015 THEN 'A' ELSE 'E' END
      FROM habil h
      JOIN owner_sarvo.tipos_compra tc ON tc.cod_tipo_compra = h.tipo
      JOIN owner_sarvo.ejercicios e ON e.ejercicio = anio
      JOIN provs pv ON pv.cod_rubro = h.rubro
      JOIN parts pt ON pt.cod_rubro = h.rubro
     ORDER BY h.fecha, h.n;
  END LOOP;
END
$$;

-- Crédito de bienes, servicios y obras: lo comprado más un margen, y una
-- modificación presupuestaria de hasta un 15% en más o en menos.
UPDATE owner_sarvo.partidas_gasto p
   SET credito_original = round(coalesce((SELECT sum(o.importe) FROM owner_sarvo.ordenes_compra o
                                           WHERE o.ejercicio = p.ejercicio AND o.id_partida = p.id_partida
                                             AND o.estado = 'E'), 0)
                                * (1.02 + 0.25 * random()::numeric) + 150000 * e.coef_precios, 2)
  FROM owner_sarvo.ejercicios e
 WHERE e.ejercicio = p.ejercicio AND p.inciso IN (2, 3, 4)
   AND NOT (p.inciso = 3 AND p.partida_principal IN (1, 5));
UPDATE owner_sarvo.partidas_gasto
   SET modificaciones = round(credito_original * (0.15 * random()::numeric - 0.04), 2);

-- Ejecución: cada orden emitida se compromete en su fecha, se devenga al
-- recibir (5 a 45 días) y se paga (7 a 75 días después). Lo que se devengaría
-- después del 31/12 queda sin devengar; los pagos pueden pasar al año siguiente.
CREATE TEMPORARY TABLE etapas_orden ON COMMIT DROP AS
SELECT o.ejercicio, o.nro_orden, o.id_partida, o.cod_proveedor, o.importe, o.fecha_orden,
       o.fecha_orden + 5 + floor(random() * 41)::int AS fecha_dev,
       7 + floor(random() * 69)::int AS demora_pago
  FROM owner_sarvo.ordenes_compra o
 WHERE o.estado = 'E';

-- Personal: sueldos devengados a fin de mes y pagados el quinto día hábil;
-- aguinaldo en junio y diciembre. Servicios básicos, transferencias y deuda: mensual.
CREATE TEMPORARY TABLE etapas_mensuales ON COMMIT DROP AS
SELECT p.ejercicio, p.id_partida,
       (make_date(p.ejercicio, m.mes, 1) + interval '1 month - 1 day')::date AS fecha_dev,
       CASE WHEN p.inciso = 1 THEN 5 + floor(random() * 3)::int ELSE 10 + floor(random() * 20)::int END AS demora_pago,
       round((p.credito_original + p.modificaciones)
             * CASE WHEN p.inciso = 1 THEN (CASE WHEN m.mes IN (6, 12) THEN 1.5 ELSE 1 END) / 13.0
                    WHEN p.inciso = 7 THEN CASE WHEN m.mes % 3 = 0 THEN 0.25 ELSE 0 END
                    ELSE 1 / 12.0 END
             * (0.93 + 0.06 * random()::numeric), 2) AS importe
  FROM owner_sarvo.partidas_gasto p
 CROSS JOIN generate_series(1, 12) AS m(mes)
 WHERE p.inciso IN (1, 5, 7) OR (p.inciso = 3 AND p.partida_principal IN (1, 5));
DELETE FROM etapas_mensuales WHERE importe = 0;

INSERT INTO owner_sarvo.movimientos_gasto (ejercicio, nro_movimiento, id_partida, etapa, fecha, importe,
                                           nro_orden, cod_proveedor)
SELECT ejercicio, row_number() OVER (PARTITION BY ejercicio ORDER BY fecha, etapa, id_partida, nro_orden),
       id_partida, etapa, fecha, importe, nro_orden, cod_proveedor
  FROM (
    SELECT ejercicio, id_partida, 'C' AS etapa, fecha_orden AS fecha, importe, nro_orden, cod_proveedor
      FROM etapas_orden
    UNION ALL
    SELECT ejercicio, id_partida, 'D', fecha_dev, importe, nro_orden, cod_proveedor
      FROM etapas_orden WHERE extract(year FROM fecha_dev) = ejercicio
    UNION ALL
    SELECT ejercicio, id_partida, 'P', fecha_dev + demora_pago, importe, nro_orden, cod_proveedor
      FROM etapas_orden WHERE extract(year FROM fecha_dev) = ejercicio
    UNION ALL
    SELECT ejercicio, id_partida, 'C', make_date(ejercicio, extract(month FROM fecha_dev)::int, 1), importe, NULL, NULL
      FROM etapas_mensuales
    UNION ALL
    SELECT ejercicio, id_partida, 'D', fecha_dev, importe, NULL, NULL FROM etapas_mensuales
    UNION ALL
    SELECT ejercicio, id_partida, 'P', fecha_dev + demora_pago, importe, NULL, NULL FROM etapas_mensuales
  ) m;

-- Recursos: cálculo actualizado por precios con un desvío propio de cada año.
INSERT INTO owner_sarvo.partidas_recurso (ejercicio, cod_recurso, calculo_original, modificaciones)
SELECT e.ejercicio, r.cod_recurso,
       round(r.calculo_2022 * e.coef_precios * (0.92 + 0.16 * random()::numeric), 2),
       round(r.calculo_2022 * e.coef_precios * (0.12 * random()::numeric - 0.03), 2)
  FROM owner_sarvo.ejercicios e CROSS JOIN owner_sarvo.recursos r
 ORDER BY e.ejercicio, r.cod_recurso;

-- Ingresos: en los días hábiles de cobro de cada recurso (los primeros del
-- mes, donde vencen las tasas); la percepción ronda el 90% del cálculo.
INSERT INTO owner_sarvo.ingresos (ejercicio, nro_ingreso, fecha, cod_recurso, importe)
SELECT ejercicio, row_number() OVER (PARTITION BY ejercicio ORDER BY fecha, cod_recurso), fecha, cod_recurso, importe
  FROM (
    SELECT pr.ejercicio, d.fecha, pr.cod_recurso,
           round((pr.calculo_original + pr.modificaciones) * 0.90 / (12.0 * r.dias_cobro)
                 * (0.45 + 1.1 * random()::numeric), 2) AS importe
      FROM owner_sarvo.partidas_recurso pr
      JOIN owner_sarvo.recursos r ON r.cod_recurso = pr.cod_recurso
      CROSS JOIN LATERAL (
        SELECT h.fecha, row_number() OVER (PARTITION BY extract(month FROM h.fecha) ORDER BY h.fecha) AS orden
          FROM (SELECT g::date AS fecha
                  FROM generate_series(make_date(pr.ejercicio, 1, 1), make_date(pr.ejercicio, 12, 31), interval '1 day') g
                 WHERE extract(isodow FROM g) < 6) h
      ) d
     WHERE d.orden <= r.dias_cobro
  ) i;

-- Planta de personal: unos 780 agentes a comienzos de 2022, con egresos e
-- ingresos cada año.
INSERT INTO owner_sarvo.agentes (legajo, apellido_nombre, planta, agrupamiento, id_categoria,
                                 fecha_ingreso, fecha_egreso)
SELECT 1000 + g.n,
       (ARRAY['Acosta','Álvarez','Bustos','Cabrera','Díaz','Espinoza','Flores','García','Gómez',
              'González','Ibarra','López','Luna','Martínez','Medina','Molina','Núñez','Pereyra',
              'Pérez','Ramírez','Ríos','Rodríguez','Romero','Ruiz','Sánchez','Silva','Suárez','Vázquez'])[1 + floor(random() * 28)::int]
         || ', ' ||
       (ARRAY['Ana','Carlos','Claudia','Daniel','Diego','Elena','Gabriela','Graciela','Hugo','Jorge',
              'Juan','Laura','Lucía','Marcela','María','Mariano','Martín','Mónica','Natalia','Pablo',
              'Patricia','Raúl','Roberto','Silvia','Sofía','Walter'])[1 + floor(random() * 26)::int],
       CASE WHEN g.n <= 640 OR (g.n > 780 AND random() < 0.55) THEN 'P' ELSE 'T' END,
       (ARRAY['Jerárquico','Administrativo','Técnico','Profesional','Obrero','Obrero','Servicios'])[1 + floor(random() * 7)::int],
       1 + floor(random() * 14)::int,
       CASE WHEN g.n <= 780 THEN DATE '1985-03-01' + floor(random() * 13400)::int
            ELSE DATE '2022-02-01' + floor(random() * 1760)::int END,
       NULL
  FROM generate_series(1, 1000) AS g(n);

-- Egresos: alrededor del 4% de la planta por año.
UPDATE owner_sarvo.agentes
   SET fecha_egreso = greatest(fecha_ingreso + 180, DATE '2022-01-15') + floor(random() * 1800)::int
 WHERE random() < 0.19;
UPDATE owner_sarvo.agentes SET fecha_egreso = NULL WHERE fecha_egreso > DATE '2026-12-31';

-- Cargos presupuestados: los ocupados al comienzo del año más un 4 a 10% de vacantes.
INSERT INTO owner_sarvo.cargos_presupuestados (ejercicio, planta, agrupamiento, cantidad)
SELECT e.ejercicio, a.planta, a.agrupamiento, ceil(count(*) * (1.04 + 0.06 * random()))
  FROM owner_sarvo.ejercicios e
  JOIN owner_sarvo.agentes a
    ON a.fecha_ingreso <= e.fecha_apertura + 60
   AND (a.fecha_egreso IS NULL OR a.fecha_egreso > e.fecha_apertura)
 GROUP BY e.ejercicio, a.planta, a.agrupamiento;

-- Nada posterior al día de la carga.
DELETE FROM owner_sarvo.movimientos_gasto WHERE fecha > current_date;
DELETE FROM owner_sarvo.ordenes_compra WHERE fecha_orden > current_date;
DELETE FROM owner_sarvo.ingresos WHERE fecha > current_date;
UPDATE owner_sarvo.agentes SET fecha_egreso = NULL WHERE fecha_egreso > current_date;
DELETE FROM owner_sarvo.agentes WHERE fecha_ingreso > current_date;

ANALYZE owner_sarvo.ordenes_compra;
ANALYZE owner_sarvo.movimientos_gasto;
ANALYZE owner_sarvo.ingresos;

GRANT SELECT ON owner_sarvo.ejercicios, owner_sarvo.tipos_compra, owner_sarvo.incisos,
                owner_sarvo.partidas_principales, owner_sarvo.categorias_programaticas,
                owner_sarvo.rubros_bienes, owner_sarvo.proveedores, owner_sarvo.fuentes_financiamiento,
                owner_sarvo.recursos, owner_sarvo.partidas_gasto, owner_sarvo.ordenes_compra,
                owner_sarvo.movimientos_gasto, owner_sarvo.partidas_recurso, owner_sarvo.ingresos,
                owner_sarvo.cargos_presupuestados, owner_sarvo.agentes
   TO sarvo_usuarios;
