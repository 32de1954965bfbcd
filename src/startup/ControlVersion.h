#pragma once
// Versión del ejecutable contra la última instalada en la base.
#include <QString>
#include <optional>

class Recordset;

struct VersionPrograma {
    int mayor = 0;
    int menor = 0;
    int Numero() const { return mayor * 100 + menor; }
    QString Texto() const; // "005_002"
};
VersionPrograma VersionDelEjecutable();
// mayor*100+menor del texto "MMM_mmm"; nullopt si no son dígitos.
std::optional<int> NumeroVersionBase(const QString& texto);
bool ExisteCampo(const Recordset& rs, const QString& nombreCampo);
bool ControlarVersion();
bool ControlarVersion(const VersionPrograma& ejecutable);
