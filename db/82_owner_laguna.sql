-- Un segundo dueño de la suite: la Municipalidad de Laguna Escondida tiene sus
-- tablas bajo OWNER_LAGUNA y su usuario MRV_LAGUNA (clave "laguna") resuelve a
-- ese dueño (owners_usuario). Tiene lo que leen el reporte de tipos de compra
-- y el subreporte del emblema, las consultas de sus subreportes y la
-- configuración que se lee al arrancar; con él el módulo de impresión pasa de
-- verdad las consultas de los reportes a otro dueño.

SET client_min_messages = warning;

CREATE SCHEMA owner_laguna;
GRANT USAGE ON SCHEMA owner_laguna TO sarvo_usuarios;

-- La configuración de la suite con los nombres de esta municipalidad.
CREATE VIEW owner_laguna.config AS
  SELECT sistema, nombre_parametro, descripcion,
         CASE WHEN sistema = 'GDA' AND nombre_parametro IN ('MUNICIPALIDAD', 'RPTORGANISMO')
              THEN 'Municipalidad de Laguna Escondida'
              ELSE contenido END AS contenido,
         modificable
    FROM owner_sarvo.config;
CREATE VIEW owner_laguna.localidades AS SELECT * FROM owner_sarvo.localidades;

CREATE TABLE owner_laguna.emblema_municipio (LIKE owner_sarvo.emblema_municipio);
INSERT INTO owner_laguna.emblema_municipio (nombre, provincia, emblema)
  SELECT 'Municipalidad de Laguna Escondida', provincia, emblema FROM owner_sarvo.emblema_municipio;

CREATE TABLE owner_laguna.prop_subreportes (LIKE owner_sarvo.prop_subreportes INCLUDING ALL);
INSERT INTO owner_laguna.prop_subreportes SELECT * FROM owner_sarvo.prop_subreportes;

-- La última generación de tipos de compra del usuario de la municipalidad.
CREATE TABLE owner_laguna.ges_tipo_compra (LIKE owner_sarvo.ges_tipo_compra INCLUDING ALL);
INSERT INTO owner_laguna.ges_tipo_compra (cod_usuario, ejercicio, fecha, cod_tipo_compra,
                                          descripcion, cantidad, importe) VALUES
  (56, 2024, DATE '2024-06-30', 'CC', 'Caja Chica',               88,  1204775.25),
  (56, 2024, DATE '2024-06-30', 'CD', 'Compra Directa',           57,  6912450.50),
  (56, 2024, DATE '2024-06-30', 'CP', 'Concurso de Precios',      12,  9870300.00),
  (56, 2024, DATE '2024-06-30', 'LR', 'Licitación Privada',        6, 14310000.00),
  (56, 2024, DATE '2024-06-30', 'LP', 'Licitación Pública',        4, 38640000.00);

GRANT SELECT ON owner_laguna.config, owner_laguna.localidades TO sarvo_usuarios;
GRANT SELECT, INSERT, UPDATE, DELETE
   ON owner_laguna.emblema_municipio, owner_laguna.prop_subreportes, owner_laguna.ges_tipo_compra
   TO sarvo_usuarios;

SELECT seguridad.crear_usuario('MRV_LAGUNA', 'laguna', 56::smallint, 'Compras de Laguna Escondida');
INSERT INTO owner_sarvo.owners_usuario (usuario, owner) VALUES ('MRV_LAGUNA', 'OWNER_LAGUNA');
