#include "MyTextBox.h"

MyTextBox::MyTextBox(QWidget* parent) : CajaTexto(VarianteCaja::MyTextBox, parent) {}

void MyTextBox::PonerMultiLine(bool multiLinea) {
    if (multiLinea == logica_.MultiLine)
        return;
    logica_.MultiLine = multiLinea;
    CrearTexto(multiLinea);
}
