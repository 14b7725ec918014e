-- Tables of the acquisition side as the operator client expects them.
-- Moments are DATETIME: local wall-clock time, exact to the second, never shifted by time zones.
-- The running totals G41, G2, G23 are DOUBLE: in a FLOAT a total of some 100 000 t would swallow
-- the fraction of a tonne that one minute adds.

CREATE TABLE IF NOT EXISTS pu_data (
  RecMoment DATETIME NOT NULL,
  PLS     FLOAT,
  PLSZ    FLOAT,
  URKS    FLOAT,
  URNS    FLOAT,
  VODA1   FLOAT,
  VODA2   FLOAT,
  DSUS    FLOAT,
  TNK41   FLOAT,
  TNK23   FLOAT,
  TNK2    FLOAT,
  G41     DOUBLE,
  G_1T41  FLOAT,
  G2      DOUBLE,
  G_1T2   FLOAT,
  G23     DOUBLE,
  G_1T23  FLOAT,
  BKK41   SMALLINT,
  BKK2    SMALLINT,
  BKK23   SMALLINT,
  RAB     SMALLINT,
  RN      SMALLINT,
  _PLSZ   FLOAT,
  _TNZ    FLOAT,
  _TNK23  FLOAT,
  VPIT    FLOAT,
  TNZ     FLOAT,
  PRIMARY KEY (RecMoment)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- One row: the acquisition side's heartbeat.
CREATE TABLE IF NOT EXISTS last_state (
  Id        TINYINT NOT NULL DEFAULT 1,
  RecMoment DATETIME NOT NULL,
  PRIMARY KEY (Id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Set-point commands inserted by the operator client; Taken marks rows the acquisition side has acted on.
-- UserName holds USER(), which is up to 141 characters (user@host).
CREATE TABLE IF NOT EXISTS control_vector (
  Id        INT NOT NULL AUTO_INCREMENT,
  RecMoment DATETIME NOT NULL,
  UserName  VARCHAR(160),
  _PLSZ     FLOAT,
  _TNZ      FLOAT,
  Taken     TINYINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Id),
  KEY (RecMoment),
  KEY (Taken)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Event journal written by the acquisition side.
CREATE TABLE IF NOT EXISTS control_log (
  Id          INT NOT NULL AUTO_INCREMENT,
  RecMoment   DATETIME NOT NULL,
  MessageText VARCHAR(255) NOT NULL,
  Source      VARCHAR(160),
  PRIMARY KEY (Id),
  KEY (RecMoment)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Plant constants, edited from the client's configuration dialog.
CREATE TABLE IF NOT EXISTS setup (
  ConstName CHAR(30) NOT NULL,
  ConstVal  FLOAT,
  Comment   CHAR(251),
  PRIMARY KEY (ConstName)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

INSERT IGNORE INTO setup (ConstName, ConstVal, Comment) VALUES
  ('PLSZ_MIN',    1600, 'Минимальное задание плотности суспензии, кг/м3'),
  ('PLSZ_MAX',    2100, 'Максимальное задание плотности суспензии, кг/м3'),
  ('TNZ_MIN',       50, 'Минимальное задание нагрузки, т/ч'),
  ('TNZ_MAX',      240, 'Максимальное задание нагрузки, т/ч'),
  ('URKS_ALARM',    15, 'Аварийно низкий уровень в зумпфе КС, %'),
  ('URNS_ALARM',    90, 'Аварийно высокий уровень в зумпфе НС, %'),
  ('YIELD_NOM',   0.65, 'Номинальный выход концентрата, доли'),
  ('PLS_KP',      0.08, 'Коэффициент регулятора плотности');

-- Alarm limits: "ALM_" + code is the limit, "_DB" the deadband, "_DLY" the on-delay in records.
INSERT IGNORE INTO setup (ConstName, ConstVal, Comment) VALUES
  ('ALM_PLS_DEV',           30, 'Тревога «Плотность суспензии отклонилась от задания»: отклонение, кг/м3'),
  ('ALM_PLS_DEV_DB',         5, 'Тревога «Плотность суспензии отклонилась от задания»: зона возврата, кг/м3'),
  ('ALM_PLS_DEV_DLY',        2, 'Тревога «Плотность суспензии отклонилась от задания»: задержка, записей'),
  ('ALM_URKS_HI',           90, 'Тревога «Высокий уровень в зумпфе КС»: предел, %'),
  ('ALM_URKS_HI_DB',         3, 'Тревога «Высокий уровень в зумпфе КС»: зона возврата, %'),
  ('ALM_URKS_HI_DLY',        1, 'Тревога «Высокий уровень в зумпфе КС»: задержка, записей'),
  ('ALM_URKS_LO',           15, 'Тревога «Низкий уровень в зумпфе КС»: предел, %'),
  ('ALM_URKS_LO_DB',         3, 'Тревога «Низкий уровень в зумпфе КС»: зона возврата, %'),
  ('ALM_URKS_LO_DLY',        1, 'Тревога «Низкий уровень в зумпфе КС»: задержка, записей'),
  ('ALM_URNS_HI',           90, 'Тревога «Высокий уровень в зумпфе НС»: предел, %'),
  ('ALM_URNS_HI_DB',         3, 'Тревога «Высокий уровень в зумпфе НС»: зона возврата, %'),
  ('ALM_URNS_HI_DLY',        1, 'Тревога «Высокий уровень в зумпфе НС»: задержка, записей'),
  ('ALM_URNS_LO',           15, 'Тревога «Низкий уровень в зумпфе НС»: предел, %'),
  ('ALM_URNS_LO_DB',         3, 'Тревога «Низкий уровень в зумпфе НС»: зона возврата, %'),
  ('ALM_URNS_LO_DLY',        1, 'Тревога «Низкий уровень в зумпфе НС»: задержка, записей'),
  ('ALM_TNK_DEV',           25, 'Тревога «Нагрузка на фабрику отклонилась от задания»: отклонение, т/ч'),
  ('ALM_TNK_DEV_DB',         5, 'Тревога «Нагрузка на фабрику отклонилась от задания»: зона возврата, т/ч'),
  ('ALM_TNK_DEV_DLY',        3, 'Тревога «Нагрузка на фабрику отклонилась от задания»: задержка, записей'),
  ('ALM_K23_STOP_DLY',       1, 'Тревога «Конвейер 23 остановлен при работающем конвейере 41»: задержка, записей'),
  ('ALM_K2_STOP_DLY',        1, 'Тревога «Конвейер 2 остановлен при работающем гидроциклоне»: задержка, записей'),
  ('ALM_NO_DATA',            3, 'Тревога «Нет новых записей процесса»: минут без записи'),
  ('ALM_SENSOR_PLS_DLY',     3, 'Тревога «Нет показаний плотности суспензии»: задержка, записей'),
  ('ALM_SENSOR_URKS_DLY',    3, 'Тревога «Нет показаний уровня в зумпфе КС»: задержка, записей'),
  ('ALM_SENSOR_URNS_DLY',    3, 'Тревога «Нет показаний уровня в зумпфе НС»: задержка, записей'),
  ('ALM_SENSOR_TNK23_DLY',   3, 'Тревога «Нет показаний нагрузки конвейера 23»: задержка, записей');


-- The operator client's own: one row per activation of an alarm, shared by every station. The
-- unique key makes an activation seen by several stations one row; the other fields are only ever
-- filled once (returns, acknowledgements, shelving), so stations acting at once agree.
-- Priority: 1 low, 2 medium, 3 high. User columns hold USER() (user@host).
CREATE TABLE IF NOT EXISTS alarm_log (
  Id           INT NOT NULL AUTO_INCREMENT,
  Code         VARCHAR(20) NOT NULL,
  Priority     TINYINT NOT NULL,
  AlarmText    VARCHAR(160) NOT NULL,
  Value        FLOAT,
  AlarmLimit   FLOAT,
  Activated    DATETIME NOT NULL,
  Returned     DATETIME,
  AckedAt      DATETIME,
  AckedBy      VARCHAR(160),
  ShelvedAt    DATETIME,
  ShelvedUntil DATETIME,
  ShelvedBy    VARCHAR(160),
  ShelveReason VARCHAR(255),
  UnshelvedAt  DATETIME,
  UnshelvedBy  VARCHAR(160),
  PRIMARY KEY (Id),
  UNIQUE KEY (Code, Activated),
  KEY (Activated),
  KEY (Returned),
  KEY (AckedAt)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
