#include "CadenaLogon.h"
#include "ConexionBase.h"
#include <QRegularExpression>
#include <vector>

namespace {

struct Atributo {
    QString clave;
    QString valor;
};

// Después de este ";" empieza otro atributo conocido ("UID=", "DSN=", ...).
bool SigueOtroAtributo(const QString& s, qsizetype puntoYComa) {
    static const QRegularExpression conocido(
        QStringLiteral("^\\s*(DSN|UID|PWD|DRIVER|DSQ|PROVIDER|SERVER|DATABASE|PORT)\\s*="),
        QRegularExpression::CaseInsensitiveOption);
    return conocido.match(s.mid(puntoYComa + 1)).hasMatch();
}

std::vector<Atributo> Separar(const QString& s) {
    std::vector<Atributo> r;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype igual = s.indexOf(u'=', i);
        const qsizetype corte = s.indexOf(u';', i);
        if (igual < 0 || (corte >= 0 && corte < igual)) { // parte sin "=": se ignora
            i = corte < 0 ? n : corte + 1;
            continue;
        }
        Atributo a;
        a.clave = s.mid(i, igual - i).trimmed();
        qsizetype j = igual + 1;
        while (j < n && s[j] == u' ')
            ++j;
        if (j < n && s[j] == u'{') {
            // entre llaves, "}}" es una llave de cierre dentro del valor
            qsizetype k = j + 1;
            for (; k < n; ++k) {
                if (s[k] != u'}')
                    continue;
                if (k + 1 < n && s[k + 1] == u'}') {
                    ++k;
                    continue;
                }
                break;
            }
            if (k < n) {
                a.valor =
                    s.mid(j + 1, k - j - 1).replace(QStringLiteral("}}"), QStringLiteral("}"));
                const qsizetype fin = s.indexOf(u';', k);
                i = fin < 0 ? n : fin + 1;
                r.push_back(a);
                continue;
            }
        }
        qsizetype fin = s.indexOf(u';', igual + 1);
        if (a.clave.compare(QLatin1String("PWD"), Qt::CaseInsensitive) == 0)
            while (fin >= 0 && !SigueOtroAtributo(s, fin))
                fin = s.indexOf(u';', fin + 1);
        a.valor = s.mid(igual + 1, (fin < 0 ? n : fin) - igual - 1);
        if (a.clave.compare(QLatin1String("PWD"), Qt::CaseInsensitive) != 0)
            a.valor = a.valor.trimmed();
        r.push_back(a);
        i = fin < 0 ? n : fin + 1;
    }
    return r;
}

bool Es(const Atributo& a, const char* clave) {
    return a.clave.compare(QLatin1String(clave), Qt::CaseInsensitive) == 0;
}

} // namespace

QString CadenaConexionDeLogon(const QString& logon) {
    QString dsn, uid, pwd;
    QStringList otros;
    bool hayDriver = false;
    for (const Atributo& a : Separar(logon)) {
        if (Es(a, "Provider") || Es(a, "DSQ") || a.clave.isEmpty())
            continue;
        if (Es(a, "DSN"))
            dsn = a.valor;
        else if (Es(a, "UID"))
            uid = a.valor;
        else if (Es(a, "PWD"))
            pwd = a.valor;
        else {
            hayDriver = hayDriver || Es(a, "DRIVER");
            otros << a.clave + QLatin1Char('=') + CitarValorOdbc(a.valor);
        }
    }
    if (dsn.isEmpty() && !hayDriver)
        dsn = OrigenDatosReportes;
    QStringList partes;
    if (!dsn.isEmpty())
        partes << QStringLiteral("DSN=") + CitarValorOdbc(dsn);
    partes << otros;
    partes << QStringLiteral("UID=") + CitarValorOdbc(uid);
    partes << QStringLiteral("PWD=") + CitarValorOdbc(pwd);
    return partes.join(QLatin1Char(';'));
}
