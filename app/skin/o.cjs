/* Quorvane skin: a calm blue-grey look for the main window and its boxes. */

QWidget {
  background-color: #eef2f7;
  color: #1d2b3a;
}

QGroupBox {
  background-color: #f7f9fc;
  border: 1px solid #b7c6d8;
  border-radius: 5px;
  margin-top: 8px;
}

QGroupBox::title {
  subcontrol-origin: margin;
  left: 8px;
  padding: 0 4px;
  color: #154c80;
  background-color: #eef2f7;
}

QRadioButton {
  background-color: transparent;
  spacing: 6px;
}

QRadioButton::indicator {
  width: 12px;
  height: 12px;
  border: 1px solid #6b8cb0;
  border-radius: 7px;
  background-color: #ffffff;
}

QRadioButton::indicator:hover {
  border-color: #2a7fc4;
}

QRadioButton::indicator:checked {
  background-color: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5,
                                    stop: 0 #2a7fc4, stop: 0.55 #2a7fc4, stop: 0.6 #ffffff);
  border-color: #154c80;
}

QPushButton {
  color: #ffffff;
  background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #3a8fd4, stop: 1 #1f6aab);
  border: 1px solid #154c80;
  border-radius: 4px;
  padding: 2px 12px;
}

QPushButton:hover {
  background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #4a9fe4, stop: 1 #2a7fc4);
}

QPushButton:pressed {
  background-color: #154c80;
}

QPushButton:focus {
  border: 1px solid #e88a1a;
}

QMessageBox QPushButton {
  min-width: 72px;
}

QDialogButtonBox {
  dialogbuttonbox-buttons-have-icons: 0;
}
