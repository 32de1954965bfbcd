#pragma once
// Lo que la capa de datos necesita del subsistema de mensajes. El catálogo
// (src/messages) instala su implementación al iniciar; sin instalar, los
// avisos van a los diálogos en vigor como texto plano.
#include <QString>
#include <QStringList>
#include <optional>

class ConexionBase;

class Avisos {
public:
    virtual ~Avisos() = default;
    // Mensaje del catálogo; devuelve el valor del botón o -1.
    virtual int MostrarError(int codigo, const QStringList& parametros = {}) = 0;
    // Texto literal con un solo botón "&Aceptar"; devuelve 1.
    virtual int MostrarMensaje(const QString& texto, const QString& titulo) = 0;
    // Error de una sentencia fallida (conexion nula: la conexión principal).
    virtual void MostrarErrorBase(ConexionBase* conexion, std::optional<long> numero = {}) = 0;
    // Error al abrir una conexión.
    virtual void MostrarErrorConexion(ConexionBase& conexion) = 0;
};

Avisos& avisos();
void InstalarAvisos(Avisos* nuevos); // nullptr vuelve a los avisos simples
