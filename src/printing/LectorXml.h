#pragma once
// Interno del lector de reportes: el recorrido del XML, repartido entre
// LectorDefinicion.cpp (documento, página, fórmulas, grupos y bandas) y
// LectorElementos.cpp (lo que va dentro de una banda).
#include "AtributosXml.h"
#include "LectorDefinicion.h"
#include <QHash>
#include <QXmlStreamReader>

namespace lector {

bool EsElementoDeBanda(const QString& etiqueta);

class Lector {
public:
    Lector(const QByteArray& datos, const QString& archivo, ErrorDefinicion& error)
        : xml_(datos), archivo_(archivo), error_(error) {}

    std::shared_ptr<Definicion> Leer();

private:
    bool Fallar(const QString& mensaje, qint64 linea = -1);
    bool FallarXml();
    bool Hijo(bool& hay);
    bool SinHijos();
    bool Sobrantes(Atributos& a);
    bool Texto(QString& destino);
    QString Etiqueta() const { return xml_.name().toString(); }

    bool LeerContenido(Definicion& d);
    bool LeerPagina(Definicion& d, Atributos& a);
    bool LeerFormula(Definicion& d, Atributos& a);
    bool LeerEstiloNombrado(Atributos& a);
    bool LeerGrupo(Definicion& d, Atributos& a);
    bool LeerBanda(Definicion& d, TipoBanda tipo, int grupo, Atributos& a, int& indice);
    bool LeerElemento(Banda& banda, Atributos& a);
    bool LeerSubreporte(Elemento& e, Atributos& a);
    bool LeerEstilo(Atributos& a, Estilo& estilo);

    QXmlStreamReader xml_;
    QString archivo_;
    ErrorDefinicion& error_;
    std::shared_ptr<Definicion> raiz_;
    QHash<QString, Estilo> estilos_;
    bool enSubreporte_ = false;
    bool fallo_ = false;
};

} // namespace lector
