#include "lists/lista_firm_kolumny.h"

namespace partners {

namespace {

db::FieldDef pole(const char *nazwa, QMetaType::Type typ, int rozmiar = 0)
{
    db::FieldDef f;
    f.name = QString::fromLatin1(nazwa);
    f.type = typ;
    f.size = rozmiar;
    return f;
}

constexpr int DomyslnaSzerokosc = 64;

struct Kolumna
{
    const char *pole;
    const char *napis;
    int szerokosc;
    bool widoczna;
    int wyrownanie;
};

constexpr int L = TUstKolumna::DoLewej;
constexpr int P = TUstKolumna::DoPrawej;
constexpr int S = TUstKolumna::DoSrodka;
constexpr int D = DomyslnaSzerokosc;

// Numbers align right and check boxes centre, as their fields display.
const Kolumna projekt[] = {
    {"nr_id_firmy", "Resstrings_IDS_NrFirmy", 60, true, P},
    {"nazwa", "Resstrings_IDS_Firma2", 200, true, L},
    {"skrot", "Resstrings_IDS_firma__edycja_firma_unit__Label2", 80, true, L},
    {"ulica", "Resstrings_IDS_Ulica", 100, true, L},
    {"nr_domu", "Resstrings_IDS_NrDomu", 60, true, L},
    {"nr_m", "Resstrings_IDS_NrLokalu", 60, true, L},
    {"kod", "Resstrings_IDS_KodPocz", 70, true, L},
    {"miasto", "Resstrings_IDS_Miejscowosc", 100, true, L},
    {"numer", "Resstrings_IDS_NrTelefon", 100, true, L},
    {"nip", "Resstrings_IDS_NIP", 100, true, L},
    {"regon", "Resstrings_IDS_Regon", 100, true, L},
    {"wlasciciel", "Resstrings_IDS_wlasciciel", D, false, L},
    {"krs", "Resstrings_IDS_KRS", D, false, L},
    {"www", "Resstrings_IDS_WWW", D, false, L},
    {"e_mail", "Resstrings_IDS_AdresEmail", D, false, L},
    {"centrala_sl", "Resstrings_IDS_Centrala", D, false, L},
    {"nazwa_typu", "Resstrings_IDS_Typ", D, false, L},
    {"nazwa_statusu", "Resstrings_IDS_klient_rodzaj", D, false, L},
    {"nazwa_grupy", "Resstrings_IDS_Grupa", D, false, L},
    {"nocne_od", "Resstrings_IDS_NocneOd", D, false, L},
    {"swieta_od", "Resstrings_IDS_SwietaOd", D, false, L},
    {"komentarz_fr", "Resstrings_IDS_KomentarzDLStopkaRap", D, false, L},
    {"limit_nadh", "Resstrings_IDS_LimitNadgodz", D, false, P},
    {"mpk", "Resstrings_IDS_Import_MPK", D, false, L},
    {"pora_nocna_od", "Resstrings_IDS_pora_nocna_od", D, false, L},
    {"pora_nocna_do", "Resstrings_IDS_pora_nocna_do", D, false, L},
    {"czy_posiada_dok", "Resstrings_IDS_dokument__ramka_dokumenty_frame_unit__tsPliki", 65, true, S},
    {"dok_wygasa", "Resstrings_IDS_Dokumenty_wazne_do", 90, true, L},
    {"aktywna", "Resstrings_IDS_Aktywna", D, true, S},
};

QStringList lista(std::initializer_list<const char *> nazwy)
{
    QStringList wynik;
    for (const char *n : nazwy)
        wynik << QString::fromLatin1(n);
    return wynik;
}

} // namespace

QList<db::FieldDef> polaListyFirm()
{
    using T = QMetaType;
    const T::Type I = T::Int, DT = T::QDateTime, Tx = T::QString, B = T::Bool;
    return {
        pole("id", I),
        pole("nazwa", Tx, 200),
        pole("skrot", Tx, 50),
        pole("nocne_od", DT),
        pole("nocne_do", DT),
        pole("swieta_od", DT),
        pole("limit_nadh", I),
        pole("okres_roz", I),
        pole("wlasciciel", Tx, 30),
        pole("nip", Tx, 13),
        pole("regon", Tx, 9),
        pole("krs", Tx, 10),
        pole("www", Tx, 60),
        pole("e_mail", Tx, 50),
        pole("uwagi", Tx),
        pole("id_komunikatora", I),
        pole("id_centrali", I),
        pole("centrala_sl", Tx, 150),
        pole("id_typu", I),
        pole("nazwa_typu", Tx, 4000),
        pole("typ_symbol", Tx, 4000),
        pole("id_statusu", I),
        pole("nazwa_statusu", Tx, 4000),
        pole("status_kolor", Tx, 4000),
        pole("limit_kredytowy", T::Double),
        pole("waluta_limitu_kredyt", Tx, 5),
        pole("dodatkowe_wolne", I),
        pole("oswiadczenie_vat", I),
        pole("komentarz_fr", Tx, 100),
        pole("id_fv_ud", I),
        pole("ulica", Tx, 50),
        pole("nr_domu", Tx, 10),
        pole("nr_m", Tx, 5),
        pole("id_kodu", I),
        pole("kod", Tx, 15),
        pole("id_m", I),
        pole("miasto", Tx, 50),
        pole("id_panstwa", I),
        pole("numer", Tx, 30),
        pole("panstwo", Tx, 1000),
        pole("sam", Tx, 5),
        pole("id_adr", I),
        pole("mpk", Tx, 100),
        pole("id_mpk", I),
        pole("id_jezyka", I),
        pole("nr_id_firmy", I),
        pole("pora_nocna_od", DT),
        pole("pora_nocna_do", DT),
        pole("fv_papier_firm", B),
        pole("fv_margin_gorny", I),
        pole("czy_posiada_dok", I),
        pole("dok_wygasa", DT),
        pole("nr_trans", Tx, 50),
        pole("nr_gg", Tx, 25),
        pole("skype", Tx, 50),
        pole("apd_id", I),
        pole("apd_token", T::QByteArray, 34),
        pole("aktywna", B),
        pole("komentarz", Tx),
        pole("czy_octopus", B),
        pole("bus", B),
        pole(PoleIdGrup, Tx),
        pole(PoleNazwaGrupy, Tx),
    };
}

UkladKolumn kolumnyListyFirm()
{
    UkladKolumn uklad;
    for (const Kolumna &k : projekt) {
        TUstKolumna kolumna;
        kolumna.pole = QString::fromLatin1(k.pole);
        kolumna.napis = QString::fromLatin1(k.napis);
        kolumna.szerokosc = k.szerokosc;
        kolumna.widoczna = k.widoczna;
        kolumna.wyrownanie = k.wyrownanie;
        uklad.push_back(kolumna);
    }
    ramka::numeruj(uklad);
    return uklad;
}

QStringList kolumnyCheckBox()
{
    return lista({"czy_posiada_dok", "aktywna"});
}

QStringList polaCzasu()
{
    return lista({"nocne_od", "nocne_do", "swieta_od", "pora_nocna_od", "pora_nocna_do"});
}

QStringList kolumnyTylkoPolskie()
{
    return lista({"swieta_od", "komentarz_fr", "limit_nadh", "pora_nocna_od", "pora_nocna_do"});
}

QStringList kolumnyWersjiOgraniczonej()
{
    return lista({"centrala_sl", "nazwa_typu", "nazwa_statusu", "nazwa_grupy"});
}

bool czyPolski(const QString &kodJezyka)
{
    return kodJezyka.compare(QLatin1String("pl"), Qt::CaseInsensitive) == 0;
}

void usunKolumny(UkladKolumn &uklad, const QStringList &pola)
{
    std::erase_if(uklad, [&](const TUstKolumna &k) { return pola.contains(k.pole, Qt::CaseInsensitive); });
    ramka::numeruj(uklad);
}

void usunKolumnyNiepolskie(UkladKolumn &uklad, const QString &kodJezyka)
{
    if (!czyPolski(kodJezyka))
        usunKolumny(uklad, kolumnyTylkoPolskie());
}

UkladKolumn kolumnyListyFirm(const OpcjeKolumnListyFirm &opcje)
{
    UkladKolumn uklad = kolumnyListyFirm();
    usunKolumnyNiepolskie(uklad, opcje.kodJezyka);
    if (opcje.wersjaOgraniczona)
        usunKolumny(uklad, kolumnyWersjiOgraniczonej());
    if (!opcje.opcjaAktywna)
        usunKolumny(uklad, {QString::fromLatin1(KolumnaAktywna)});
    return uklad;
}

} // namespace partners
