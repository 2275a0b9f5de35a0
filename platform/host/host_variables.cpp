#include "host_variables.h"

#include "data_paths.h"
#include "host_funcs.h"

#include <QDir>
#include <QHash>

namespace host {

namespace {

struct Store
{
    QList<VariableDeclaration> declarations;
    QHash<QString, int> index;       // key -> declaration
    QHash<QString, QVariant> values; // key -> value set
};

QString keyOf(const QString &name, const QString &group)
{
    return group.trimmed().toLower() + QLatin1Char('/') + name.trimmed().toLower();
}

QList<VariableDeclaration> builtInDeclarations()
{
    const QString data = dataDirectory();
    auto colour = [](const char *name, int value) {
        return VariableDeclaration{QLatin1String(name), QStringLiteral("ALL"), QVariant(value)};
    };
    auto flag = [](const char *name, bool value, const char *group = "ALL") {
        return VariableDeclaration{QLatin1String(name), QLatin1String(group), QVariant(value)};
    };
    auto number = [](const char *name, int value, const char *group = "ALL") {
        return VariableDeclaration{QLatin1String(name), QLatin1String(group), QVariant(value)};
    };
    auto text = [](const char *name, const QString &value) {
        return VariableDeclaration{QLatin1String(name), QStringLiteral("ALL"), QVariant(value)};
    };
    return {
        number("aktywna_firma", 0),
        flag("uprawnienia_zapis_firmy_wlasne", true),
        flag("CzySprawdzSkrotXL", false),
        text("domyslna_waluta", QStringLiteral("PLN")),
        text("sciezka_ob", QDir(data).filePath(QStringLiteral("obiekty"))),
        text("sciezka_dokumenty", QDir(data).filePath(QStringLiteral("dokumenty"))),
        text("polecenie_email", QStringLiteral("xdg-email")),
        text("skaner", QString()),
        text("skaner_zrodlo", QString()),
        flag("NowaFirmaBUS", false),
        flag("CzySkrotFirma20", false),
        flag("cb_kod_pocz_bez", false),
        flag("cb_gen_unik_skr_firm", true),
        flag("cb_run_session", false),
        flag("cb_save_session", false),
        flag("cb_save_session_closing", false),
        flag("zapisuj_filtry_przy_zamknieciu", false),
        number("sprawdz_date", 0),
        number("zapisz_pow_dom_kier_dom_sam", 0),
        flag("cbCzyAutomat", false),
        flag("cbCzyAutomatTerminPrzyszly", false),
        flag("czy_kolory_lista_firm", false),
        flag("lista_firm_f_wlasne_check", false, "FL"),
        flag("lista_firm_f_roz_zal_check", false, "FL"),
        flag("lista_firm_f_dok_wygasaja_check", false, "FL"),
        number("lista_firm_f_dok_wygasaja_dni", 30, "FL"),
        number("ImportZlecWTrakcie", 0, "SP"),
        number("ImportZlecDodajAllFirma", 0, "SP"),
        number("pokaz_wydruk_potw_zlecenia", 0, "SP"),
        // The list palette's settings start at the fixed palette.
        colour("lista_kolor_naglowek_czcionka", 0x383430),
        colour("lista_kolor_naglowek_czcionka_zaznaczona", 0xF3F3F3),
        colour("lista_kolor_naglowek_zaznaczony", 0x4123CE),
        colour("lista_kolor_naglowek_niezaznaczony", 0xF1F0EE),
        colour("lista_kolor_naglowek_filtr_aktywny", 0x4123CE),
        colour("lista_kolor_naglowek_filtr_nieaktywny", 0x826459),
        colour("lista_kolor_czcionka", 0x3A3A3A),
        colour("lista_kolor_czcionka_zaznaczona", 0xFFFFFF),
        colour("lista_kolor_zaznaczone", 0xC3B7B0),
        colour("lista_kolor_niezaznaczony_gl", 0xFFFFFF),
        colour("lista_kolor_niezaznaczony_pom", 0xEAE4E1),
        colour("kolor_formy", 0xF1F0EE),
    };
}

Store &store()
{
    static Store s = [] {
        Store fresh;
        for (const auto &d : builtInDeclarations()) {
            fresh.index.insert(keyOf(d.name, d.group), int(fresh.declarations.size()));
            fresh.declarations.append(d);
        }
        return fresh;
    }();
    return s;
}

} // namespace

QVariant GetZm(const QString &name, const QString &group)
{
    const Store &s = store();
    const QString key = keyOf(name, group);
    const auto value = s.values.constFind(key);
    if (value != s.values.cend())
        return *value;
    const auto decl = s.index.constFind(key);
    return decl == s.index.cend() ? QVariant() : s.declarations.at(*decl).defaultValue;
}

bool SetZm(const QVariant &value, const QString &name, const QString &group)
{
    Store &s = store();
    const QString key = keyOf(name, group);
    const auto decl = s.index.constFind(key);
    if (decl == s.index.cend()) {
        save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("SetZm"), __LINE__,
                         QStringLiteral("undeclared host variable %1/%2").arg(group, name));
        return false;
    }
    const QMetaType type = s.declarations.at(*decl).defaultValue.metaType();
    QVariant converted = value;
    // Text "1"/"0" and numbers are how booleans travel through settings rows.
    if (type.id() == QMetaType::Bool && value.metaType().id() == QMetaType::QString) {
        const QString t = value.toString().trimmed().toLower();
        if (t == QLatin1String("1") || t == QLatin1String("true"))
            converted = true;
        else if (t == QLatin1String("0") || t == QLatin1String("false") || t.isEmpty())
            converted = false;
        else
            converted = QVariant();
    } else if (!converted.convert(type)) {
        converted = QVariant();
    }
    if (!converted.isValid()) {
        save_log_to_file(
            QStringLiteral(__FILE__), QStringLiteral("SetZm"), __LINE__,
            QStringLiteral("host variable %1/%2: value %3 does not convert").arg(group, name, value.toString()));
        return false;
    }
    s.values.insert(key, converted);
    return true;
}

bool declareVariable(const VariableDeclaration &declaration)
{
    Store &s = store();
    const QString key = keyOf(declaration.name, declaration.group);
    if (s.index.contains(key))
        return false;
    s.index.insert(key, int(s.declarations.size()));
    s.declarations.append(declaration);
    return true;
}

QList<VariableDeclaration> variableDeclarations()
{
    return store().declarations;
}

void resetVariables()
{
    Store &s = store();
    s.values.clear();
    // Defaults that depend on the data folder follow it.
    for (const auto &d : builtInDeclarations()) {
        const auto it = s.index.constFind(keyOf(d.name, d.group));
        if (it != s.index.cend())
            s.declarations[*it].defaultValue = d.defaultValue;
    }
}

} // namespace host
