-- Menú de Miravel y tareas de sus ventanas.
--
-- El menú de demostración ofrece exactamente las tareas cuyas ventanas ya
-- existen en el programa (hoy las diez); cada ventana nueva agrega aquí su
-- entrada en MRV_ESTADISTICAS.

SET client_min_messages = warning;

-- Las diez tareas del sistema: código de ventana y niveles que exige cada
-- acción (1: cualquier usuario habilitado).
INSERT INTO owner_sarvo.tareas (sistema, tarea, descripcion, cod_formulario,
                                permiso_acceso, permiso_alta, permiso_baja, permiso_modi) VALUES
  ('Miravel', 'MRV101', 'Evolución de Gastos',               101, 1, 1, 1, 1),
  ('Miravel', 'MRV102', 'Evolución de Recursos',             102, 1, 1, 1, 1),
  ('Miravel', 'MRV103', 'Recursos vs. Gastos',               103, 1, 1, 1, 1),
  ('Miravel', 'MRV104', 'Gastos en Personal',                104, 1, 1, 1, 1),
  ('Miravel', 'MRV105', 'Ranking de Proveedores',            105, 1, 1, 1, 1),
  ('Miravel', 'MRV106', 'Ranking de Bienes',                 106, 1, 1, 1, 1),
  ('Miravel', 'MRV107', 'Tipos de Compra',                   107, 1, 1, 1, 1),
  ('Miravel', 'MRV108', 'Ingresos',                          108, 1, 1, 1, 1),
  ('Miravel', 'MRV109', 'Ocupación de Cargos',               109, 1, 1, 1, 1),
  ('Miravel', 'MRV110', 'Gastos por Categoría Programática', 110, 1, 1, 1, 1)
ON CONFLICT (sistema, tarea) DO UPDATE
  SET descripcion = EXCLUDED.descripcion, cod_formulario = EXCLUDED.cod_formulario;

-- El menú de Miravel se arma entero aquí.
DELETE FROM owner_sarvo.tareas_menues WHERE sistema = 'Miravel' AND menu LIKE 'MRV\_%';
DELETE FROM owner_sarvo.menues WHERE sistema = 'Miravel' AND menu LIKE 'MRV\_%';

INSERT INTO owner_sarvo.menues (sistema, menu, item, titulo, menu_hijo) VALUES
  ('Miravel', 'MRV_PRINCIPAL',    1, 'Estadísticas',          'MRV_ESTADISTICAS'),
  ('Miravel', 'MRV_ESTADISTICAS', 1, 'Tipos de Compra',       NULL),
  ('Miravel', 'MRV_ESTADISTICAS', 2, 'Evolución de Gastos',   NULL),
  ('Miravel', 'MRV_ESTADISTICAS', 3, 'Evolución de Recursos', NULL),
  ('Miravel', 'MRV_ESTADISTICAS', 4, 'Recursos vs. Gastos',   NULL),
  ('Miravel', 'MRV_ESTADISTICAS', 5, 'Gastos en Personal',    NULL),
  ('Miravel', 'MRV_ESTADISTICAS', 6, 'Ingresos',              NULL),
  ('Miravel', 'MRV_ESTADISTICAS', 7, 'Ocupación de Cargos',   NULL),
  ('Miravel', 'MRV_ESTADISTICAS', 8, 'Ranking de Proveedores', NULL),
  ('Miravel', 'MRV_ESTADISTICAS', 9, 'Ranking de Bienes',     NULL),
  ('Miravel', 'MRV_ESTADISTICAS', 10, 'Gastos por Categoría Programática', NULL);

INSERT INTO owner_sarvo.tareas_menues (sistema, menu, item, tarea) VALUES
  ('Miravel', 'MRV_ESTADISTICAS', 1, 'MRV107'),
  ('Miravel', 'MRV_ESTADISTICAS', 2, 'MRV101'),
  ('Miravel', 'MRV_ESTADISTICAS', 3, 'MRV102'),
  ('Miravel', 'MRV_ESTADISTICAS', 4, 'MRV103'),
  ('Miravel', 'MRV_ESTADISTICAS', 5, 'MRV104'),
  ('Miravel', 'MRV_ESTADISTICAS', 6, 'MRV108'),
  ('Miravel', 'MRV_ESTADISTICAS', 7, 'MRV109'),
  ('Miravel', 'MRV_ESTADISTICAS', 8, 'MRV105'),
  ('Miravel', 'MRV_ESTADISTICAS', 9, 'MRV106'),
  ('Miravel', 'MRV_ESTADISTICAS', 10, 'MRV110');

-- Todo usuario de Miravel entra por el menú principal.
INSERT INTO owner_sarvo.usuario_menu (sistema, usuario, menu) VALUES
  ('Miravel', 'DEMO', 'MRV_PRINCIPAL')
ON CONFLICT (sistema, usuario) DO NOTHING;
