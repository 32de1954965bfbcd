-- Lo que lee el reporte del ranking de bienes bajo el segundo dueño: su
-- tabla de trabajo, las órdenes de compra y los proveedores, vistos desde
-- OWNER_LAGUNA. Con ellos el reporte y su subreporte PRINCIPALES corren de
-- verdad después del cambio de dueño.

SET client_min_messages = warning;

CREATE VIEW owner_laguna.ges_compras_x_rubro AS SELECT * FROM owner_sarvo.ges_compras_x_rubro;
CREATE VIEW owner_laguna.ordenes_compra AS SELECT * FROM owner_sarvo.ordenes_compra;
CREATE VIEW owner_laguna.proveedores AS SELECT * FROM owner_sarvo.proveedores;

GRANT SELECT ON owner_laguna.ges_compras_x_rubro, owner_laguna.ordenes_compra,
                owner_laguna.proveedores TO sarvo_usuarios;
