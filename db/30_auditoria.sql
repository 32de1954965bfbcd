-- Auditoría de ingresos a los sistemas.

SET client_min_messages = warning;

CREATE SEQUENCE owner_sarvo.cod_audit_seq START 1;

-- Fuente de los ROWID de las tablas que lo exponen como columna.
CREATE SEQUENCE owner_sarvo.rowid_seq START 1;

CREATE FUNCTION owner_sarvo.nuevo_rowid() RETURNS varchar
  LANGUAGE sql VOLATILE
  AS $$ SELECT ('AAAR' || lpad(upper(to_hex(nextval('owner_sarvo.rowid_seq'))), 14, '0'))::varchar $$;

-- Se inserta en forma posicional con doce valores: el orden de las
-- columnas es parte del contrato. rowid va al final y se genera solo.
CREATE TABLE owner_sarvo.auditoria (
  cod_auditoria integer      PRIMARY KEY,
  sistema       varchar(30)  NOT NULL,
  tipo_acceso   varchar(20),
  usuario       varchar(30),             -- la base pone el usuario de la sesión
  estado        varchar(1),              -- I abierto, N cerrado, A abandonado, R rechazado
  entrada       timestamp(0),
  salida        timestamp(0),
  altas         integer,
  modis         integer,
  bajas         integer,
  impres        integer,
  usr_win       varchar(30),
  rowid         varchar(18)  NOT NULL UNIQUE DEFAULT owner_sarvo.nuevo_rowid()
);
CREATE INDEX auditoria_abiertas ON owner_sarvo.auditoria (usuario, usr_win) WHERE salida IS NULL;

CREATE FUNCTION owner_sarvo.auditoria_al_insertar() RETURNS trigger
  LANGUAGE plpgsql
  AS $$
  BEGIN
    NEW.usuario := session_user;
    NEW.estado := 'I';
    NEW.entrada := LOCALTIMESTAMP(0);
    IF NEW.rowid IS NULL THEN
      NEW.rowid := owner_sarvo.nuevo_rowid();
    END IF;
    RETURN NEW;
  END
  $$;

-- Al cerrarse normalmente (N) o por rechazo (R) queda registrada la salida;
-- una sesión abandonada (A) no tiene hora de salida conocida.
CREATE FUNCTION owner_sarvo.auditoria_al_modificar() RETURNS trigger
  LANGUAGE plpgsql
  AS $$
  BEGIN
    IF OLD.estado = 'I' AND NEW.estado IN ('N', 'R') AND NEW.salida IS NULL THEN
      NEW.salida := LOCALTIMESTAMP(0);
    END IF;
    NEW.rowid := OLD.rowid;
    RETURN NEW;
  END
  $$;

CREATE TRIGGER auditoria_bi BEFORE INSERT ON owner_sarvo.auditoria
  FOR EACH ROW EXECUTE FUNCTION owner_sarvo.auditoria_al_insertar();
CREATE TRIGGER auditoria_bu BEFORE UPDATE ON owner_sarvo.auditoria
  FOR EACH ROW EXECUTE FUNCTION owner_sarvo.auditoria_al_modificar();
