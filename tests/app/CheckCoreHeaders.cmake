# Fails when anything under src/core includes a Qt Gui or Widgets header: the core must
# build with Qt Core and Qt SerialPort alone.
file(GLOB_RECURSE files ${DIR}/*.h ${DIR}/*.cpp)
set(bad "")
foreach(f ${files})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*<(QtGui|QtWidgets|QtPrintSupport|QWidget|QDialog|QMessageBox|QApplication|QGuiApplication|QMainWindow|QPainter|QPrinter|QPixmap|QImage|QColor|QFont)[/>]")
  if(lines)
    list(APPEND bad "${f}: ${lines}")
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "GUI headers in the core:\n${bad}")
endif()
