-- Conexión con la base: el mensaje de la sesión perdida.

SET client_min_messages = warning;

-- La sesión con el servidor se perdió (ORA-00028, 01012, 03113, 03114, 03135).
-- El programa guarda una copia de esta fila para mostrarla sin conexión:
-- cambiar las dos a la vez.
INSERT INTO owner_sarvo.errores_vb (codigo_error, mensaje, boton, tipo_ventana, boton_default, titulo, help, captions) VALUES
(3113, E'Se perdió la conexión con la base de datos.\r\nLa operación no se completó y lo que no estaba guardado se perdió.\r\nVuelva a intentarlo: el sistema se conecta de nuevo. Si la base sigue sin responder, comuníquese con el Administrador del Sistema.',
       0, 48, 0, 'Conexión Perdida', NULL, NULL);
