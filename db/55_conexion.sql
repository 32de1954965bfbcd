-- Conexión con la base: el mensaje de la sesión perdida y un usuario cuyo
-- nombre y clave son opciones de Qt, para probar la línea de comandos.

SET client_min_messages = warning;

-- La sesión con el servidor se perdió (ORA-00028, 01012, 03113, 03114, 03135).
-- El programa guarda una copia de esta fila para mostrarla sin conexión:
-- cambiar las dos a la vez.
INSERT INTO owner_sarvo.errores_vb (codigo_error, mensaje, boton, tipo_ventana, boton_default, titulo, help, captions) VALUES
(3113, E'Se perdió la conexión con la base de datos.\r\nLa operación no se completó y lo que no estaba guardado se perdió.\r\nVuelva a intentarlo: el sistema se conecta de nuevo. Si la base sigue sin responder, comuníquese con el Administrador del Sistema.',
       0, 48, 0, 'Conexión Perdida', NULL, NULL);

-- Usuario "-style" con clave "-platform": el lanzador los pasa tal cual y el
-- programa no debe tomarlos por opciones.
SELECT seguridad.crear_usuario('-style', '-platform', 90::smallint, 'Opciones de Qt como argumentos');

INSERT INTO owner_sarvo.usuario_menu (sistema, usuario, menu) VALUES
  ('Miravel', '-STYLE', 'MRV_PRINCIPAL');
