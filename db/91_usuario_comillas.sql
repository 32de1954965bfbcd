-- Un usuario cuyo nombre lleva una comilla y cuya clave lleva ";", "}" y "=":
-- entra, queda auditado, recibe su menú y sus derechos y genera estadísticas
-- como cualquier otro. Su rol de login tiene la clave derivada
-- ("M" + clave + invertida: Ma;b}c=dd=c}b;a).

SET client_min_messages = warning;

SELECT seguridad.crear_usuario('MRV_O''HIGGINS', 'a;b}c=d', 57::smallint,
                               'Nombre con comilla y clave con separadores');

INSERT INTO owner_sarvo.usuario_menu (sistema, usuario, menu) VALUES
  ('Miravel', 'MRV_O''HIGGINS', 'MRV_PRINCIPAL');

-- Sus niveles generales no alcanzan para Tipos de Compra; el derecho le llega
-- por la fila propia de la tarea.
UPDATE owner_sarvo.usuarios
   SET permiso_acceso = 0, permiso_alta = 0, permiso_baja = 0, permiso_modi = 0
 WHERE usuario = 'MRV_O''HIGGINS';
INSERT INTO owner_sarvo.restricciones_usuario (sistema, tarea, usuario, permiso_acceso,
                                               permiso_alta, permiso_baja, permiso_modi) VALUES
  ('Miravel', 'MRV107', 'MRV_O''HIGGINS', 1, 1, 0, 0);
