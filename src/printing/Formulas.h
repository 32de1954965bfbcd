#pragma once
// Fórmulas de un reporte: las casillas "nombre = valor" que escriben las
// ventanas, la tabla de valores que resulta y su paso seguro a una consulta.
#include <QHash>
#include <QString>
#include <optional>

// Valor de una fórmula: un número (con el texto tal como se escribió) o un texto.
struct ValorFormula {
    bool esTexto = true;
    QString texto; // el texto, o el número como se escribió ("2024", "-1.5")
    double numero = 0;
};

struct AsignacionFormula {
    QString nombre;
    ValorFormula valor;
};

// Nombre de fórmula válido: letra o "_" y después letras, cifras o "_".
bool NombreFormulaValido(const QString& nombre);

// Lee un valor: un número ("2024", "-3", "1.5") o un texto entre comillas
// simples. Las ventanas no duplican las comillas de adentro, así que el texto
// llega hasta la última comilla: "'Villa O'Higgins'" es Villa O'Higgins.
// nullopt si no es ni una cosa ni la otra; error dice por qué.
std::optional<ValorFormula> LeerValorFormula(const QString& valor, QString* error = nullptr);

// Lee una casilla "nombre = valor" (con o sin blancos alrededor del "=").
std::optional<AsignacionFormula> LeerAsignacionFormula(const QString& casilla,
                                                       QString* error = nullptr);

// Valores por nombre, sin distinguir mayúsculas (ClaveNombre): la última
// asignación gana.
class TablaFormulas {
public:
    void Poner(const QString& nombre, const ValorFormula& valor);
    const ValorFormula* Buscar(const QString& nombre) const;
    void Limpiar() { valores_.clear(); }

private:
    QHash<QString, ValorFormula> valores_; // por ClaveNombre
};

// Literal de SQL: el número tal cual (ya validado), el texto entre comillas
// con cada comilla duplicada.
QString LiteralSql(const ValorFormula& valor);

// Reemplaza cada marca {@nombre} de la consulta por el literal de la fórmula.
// Las marcas dentro de textos, nombres entre comillas dobles y comentarios no
// se tocan. Falso si una marca está mal escrita o nombra una fórmula sin
// valor; error lo cuenta.
bool SustituirFormulas(const QString& sql, const TablaFormulas& tabla, QString& resultado,
                       QString* error = nullptr);
