#pragma once

#include "host_export.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace host {

// A host variable: a named value the host keeps for its lifetime. Every
// variable is declared once (host_variables.cpp) with its group, type and
// default; names and groups compare without regard to letter case.
struct VariableDeclaration
{
    QString name;
    QString group;
    QVariant defaultValue; // its type is the variable's type
};

// Value of a variable (its default until set); an invalid QVariant for a
// name that was never declared.
MALVO_HOST_EXPORT QVariant GetZm(const QString &name, const QString &group = QStringLiteral("ALL"));
// Sets a declared variable, converting to its type; false (and a log line)
// for an undeclared name or a value that does not convert.
MALVO_HOST_EXPORT bool SetZm(const QVariant &value, const QString &name, const QString &group = QStringLiteral("ALL"));

// Adds a declaration at run time (a sibling's own variable); false when it exists.
MALVO_HOST_EXPORT bool declareVariable(const VariableDeclaration &declaration);
MALVO_HOST_EXPORT QList<VariableDeclaration> variableDeclarations();
// Every variable back to its default (paths recomputed from the data folder).
MALVO_HOST_EXPORT void resetVariables();

// Typed handles for the variables the code reads, so names live in one place.
template <typename T>
struct HostVariable
{
    const char *name;
    const char *group;
    T get() const { return GetZm(QLatin1String(name), QLatin1String(group)).template value<T>(); }
    bool set(const T &value) const
    {
        return SetZm(QVariant::fromValue(value), QLatin1String(name), QLatin1String(group));
    }
};

namespace var {
inline constexpr HostVariable<int> AktywnaFirma{"aktywna_firma", "ALL"};
inline constexpr HostVariable<bool> UprawnieniaZapisFirmyWlasne{"uprawnienia_zapis_firmy_wlasne", "ALL"};
inline constexpr HostVariable<bool> CzySprawdzSkrotXL{"CzySprawdzSkrotXL", "ALL"};
inline constexpr HostVariable<QString> DomyslnaWaluta{"domyslna_waluta", "ALL"};
inline constexpr HostVariable<QString> SciezkaOb{"sciezka_ob", "ALL"};
inline constexpr HostVariable<QString> SciezkaDokumenty{"sciezka_dokumenty", "ALL"};
// The program that opens a new e-mail; the scanner device and source (empty: the first device, its default source).
inline constexpr HostVariable<QString> MailCommand{"polecenie_email", "ALL"};
inline constexpr HostVariable<QString> Scanner{"skaner", "ALL"};
inline constexpr HostVariable<QString> ScannerSource{"skaner_zrodlo", "ALL"};
inline constexpr HostVariable<bool> NowaFirmaBUS{"NowaFirmaBUS", "ALL"};
inline constexpr HostVariable<bool> CzySkrotFirma20{"CzySkrotFirma20", "ALL"};
inline constexpr HostVariable<bool> KodPocztowyBezKreski{"cb_kod_pocz_bez", "ALL"};
inline constexpr HostVariable<bool> UnikalneSkrotyFirm{"cb_gen_unik_skr_firm", "ALL"};
inline constexpr HostVariable<bool> RunSession{"cb_run_session", "ALL"};
inline constexpr HostVariable<bool> SaveSession{"cb_save_session", "ALL"};
inline constexpr HostVariable<bool> SaveSessionClosing{"cb_save_session_closing", "ALL"};
inline constexpr HostVariable<bool> ZapisujFiltryPrzyZamknieciu{"zapisuj_filtry_przy_zamknieciu", "ALL"};
inline constexpr HostVariable<int> SprawdzDate{"sprawdz_date", "ALL"};
inline constexpr HostVariable<int> ZapiszPowDomKierDomSam{"zapisz_pow_dom_kier_dom_sam", "ALL"};
inline constexpr HostVariable<bool> CzyAutomat{"cbCzyAutomat", "ALL"};
inline constexpr HostVariable<bool> CzyAutomatTerminPrzyszly{"cbCzyAutomatTerminPrzyszly", "ALL"};
inline constexpr HostVariable<bool> CzyKoloryListaFirm{"czy_kolory_lista_firm", "ALL"};
inline constexpr HostVariable<bool> ListaFirmTylkoWlasne{"lista_firm_f_wlasne_check", "FL"};
inline constexpr HostVariable<bool> ListaFirmUkryjZalRoz{"lista_firm_f_roz_zal_check", "FL"};
inline constexpr HostVariable<bool> ListaFirmDokumentyWygasaja{"lista_firm_f_dok_wygasaja_check", "FL"};
inline constexpr HostVariable<int> ListaFirmDniWygasania{"lista_firm_f_dok_wygasaja_dni", "FL"};
inline constexpr HostVariable<int> ImportZlecWTrakcie{"ImportZlecWTrakcie", "SP"};
inline constexpr HostVariable<int> ImportZlecDodajAllFirma{"ImportZlecDodajAllFirma", "SP"};
inline constexpr HostVariable<int> PokazWydrukPotwZlecenia{"pokaz_wydruk_potw_zlecenia", "SP"};

// List palette (TColor values, 0xBBGGRR), group ALL.
inline constexpr HostVariable<int> ListaKolorNaglowekCzcionka{"lista_kolor_naglowek_czcionka", "ALL"};
inline constexpr HostVariable<int> ListaKolorNaglowekCzcionkaZaznaczona{"lista_kolor_naglowek_czcionka_zaznaczona",
                                                                        "ALL"};
inline constexpr HostVariable<int> ListaKolorNaglowekZaznaczony{"lista_kolor_naglowek_zaznaczony", "ALL"};
inline constexpr HostVariable<int> ListaKolorNaglowekNiezaznaczony{"lista_kolor_naglowek_niezaznaczony", "ALL"};
inline constexpr HostVariable<int> ListaKolorNaglowekFiltrAktywny{"lista_kolor_naglowek_filtr_aktywny", "ALL"};
inline constexpr HostVariable<int> ListaKolorNaglowekFiltrNieaktywny{"lista_kolor_naglowek_filtr_nieaktywny", "ALL"};
inline constexpr HostVariable<int> ListaKolorCzcionka{"lista_kolor_czcionka", "ALL"};
inline constexpr HostVariable<int> ListaKolorCzcionkaZaznaczona{"lista_kolor_czcionka_zaznaczona", "ALL"};
inline constexpr HostVariable<int> ListaKolorZaznaczone{"lista_kolor_zaznaczone", "ALL"};
inline constexpr HostVariable<int> ListaKolorNiezaznaczonyGl{"lista_kolor_niezaznaczony_gl", "ALL"};
inline constexpr HostVariable<int> ListaKolorNiezaznaczonyPom{"lista_kolor_niezaznaczony_pom", "ALL"};
inline constexpr HostVariable<int> KolorFormy{"kolor_formy", "ALL"};
} // namespace var

} // namespace host
