-- Claves de tareas: alta con hash y sal, y tareas protegidas para las pruebas
-- del pedido de clave. Las claves nunca quedan en claro: solo sal y hash
-- (sha256 de sal || clave) en seguridad.claves_tarea.

SET client_min_messages = warning;

-- Pone (o cambia) la clave de una tarea con una sal nueva.
CREATE FUNCTION seguridad.poner_clave_tarea(p_sistema text, p_tarea text, p_clave text) RETURNS void
  LANGUAGE sql
  AS $$
    INSERT INTO seguridad.claves_tarea (sistema, tarea, sal, hash)
    SELECT p_sistema, p_tarea, s, seguridad.hash_clave(s, p_clave) FROM seguridad.nueva_sal() s
    ON CONFLICT (sistema, tarea) DO UPDATE SET sal = EXCLUDED.sal, hash = EXCLUDED.hash
  $$;

-- Tareas sin entrada de menú: solo las alcanza el marco de mantenimiento.
INSERT INTO owner_sarvo.tareas (sistema, tarea, descripcion, cod_formulario, tipo_auditoria) VALUES
  ('Miravel', 'MRVCLAVE_D',  'Tarea con clave y auditoría detallada', 901, 'D'),
  ('Miravel', 'MRVCLAVE_S',  'Tarea con clave y auditoría de tipo S', 902, 'S'),
  ('Miravel', 'MRVCLAVE_Q',  'Tarea con clave con comillas',          903, NULL),
  ('Miravel', 'MRVSINCLAVE', 'Tarea sin clave',                       904, 'X');

SELECT seguridad.poner_clave_tarea('Miravel', 'MRVCLAVE_D', 'secreto');
SELECT seguridad.poner_clave_tarea('Miravel', 'MRVCLAVE_S', 'secreto');
SELECT seguridad.poner_clave_tarea('Miravel', 'MRVCLAVE_Q', E'o''higgins \\ {fn x}? --');
