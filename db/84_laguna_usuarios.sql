-- El usuario de Laguna Escondida entra a Miravel como cualquier otro: su dueño
-- de la suite (OWNER_LAGUNA) ve los usuarios, los menús y los derechos de las
-- tareas, y MRV_LAGUNA tiene el menú de Miravel. Así los comandos de soporte
-- lo validan como el programa antes de correr sus reportes.

SET client_min_messages = warning;

CREATE VIEW owner_laguna.usuarios AS SELECT * FROM owner_sarvo.usuarios;
CREATE VIEW owner_laguna.usuario_menu AS SELECT * FROM owner_sarvo.usuario_menu;
CREATE VIEW owner_laguna.vis_tareas AS SELECT * FROM owner_sarvo.vis_tareas;
CREATE VIEW owner_laguna.restricciones_usuario AS SELECT * FROM owner_sarvo.restricciones_usuario;
GRANT SELECT ON owner_laguna.usuarios, owner_laguna.usuario_menu, owner_laguna.vis_tareas,
                owner_laguna.restricciones_usuario TO sarvo_usuarios;

INSERT INTO owner_sarvo.usuario_menu (sistema, usuario, menu) VALUES
  ('Miravel', 'MRV_LAGUNA', 'MRV_PRINCIPAL');
