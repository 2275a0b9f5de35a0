#include "ramka/pliki/ramka_powiaz_pliki_fr.h"

#include "ramka/actions/usuwanie_watek.h"
#include "ramka/modul.h"
#include "ramka/pliki/nowa_nazwa_pliku_form.h"

#include "checks.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "prompter.h"
#include "query.h"
#include "siblings.h"
#include "skanowanie_api.h"
#include "stored_proc.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#ifdef MALVO_HAVE_QTPDF
#include <QPdfDocument>
#include <QPdfView>
#endif

using partners::tlumacz;

namespace {

const QStringList Skale = {QString(),
                           QStringLiteral("25%"),
                           QStringLiteral("50%"),
                           QStringLiteral("75%"),
                           QStringLiteral("100%"),
                           QStringLiteral("125%"),
                           QStringLiteral("150%"),
                           QStringLiteral("175%"),
                           QStringLiteral("200%"),
                           QStringLiteral("250%"),
                           QStringLiteral("300%"),
                           QStringLiteral("400%"),
                           QStringLiteral("500%")};
constexpr int Skala100 = 4;

// Draws the image at its scale without building a scaled copy, so a large
// scan at 500% costs no memory; no smoothing (nearest neighbour).
class ObrazWidok : public QWidget
{
public:
    using QWidget::QWidget;
    void ustaw(const QPixmap *obraz, double skala)
    {
        m_obraz = obraz;
        m_skala = skala;
        resize((QSizeF(obraz->size()) * skala).toSize().expandedTo(QSize(1, 1)));
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!m_obraz)
            return;
        QPainter p(this);
        p.scale(m_skala, m_skala);
        p.drawPixmap(0, 0, *m_obraz);
    }

private:
    const QPixmap *m_obraz = nullptr;
    double m_skala = 1.0;
};

// The words of an RTF file without its control words and groups.
QString tekstRtf(const QString &rtf)
{
    static const QRegularExpression hex(QStringLiteral("\\\\'([0-9a-fA-F]{2})"));
    static const QRegularExpression ukryte(
        QStringLiteral("\\{\\\\\\*[^{}]*\\}|\\{\\\\(fonttbl|colortbl|stylesheet)[^}]*\\}+"));
    static const QRegularExpression akapit(QStringLiteral("\\\\par[d]? ?"));
    static const QRegularExpression slowa(QStringLiteral("\\\\[a-zA-Z]+-?\\d* ?|[{}]"));
    QString tekst = rtf;
    tekst.remove(ukryte).replace(akapit, QStringLiteral("\n"));
    QString wynik;
    qsizetype od = 0;
    for (auto it = hex.globalMatch(tekst); it.hasNext();) {
        const auto m = it.next();
        wynik += tekst.mid(od, m.capturedStart() - od) + QChar(m.captured(1).toInt(nullptr, 16));
        od = m.capturedEnd();
    }
    wynik += tekst.mid(od);
    return wynik.remove(slowa).trimmed();
}

// The open dialog's filter: all files first, then the kinds the store usually holds.
QString filtrPlikow()
{
    QStringList filtry{tlumacz("Resstrings_IDS_RapWszystkie") + QStringLiteral(" (*)")};
    for (const char *klucz :
         {"Resstrings_IDS_plik_bmp", "Resstrings_IDS_plik_jpg", "Resstrings_IDS_plik_txt", "Resstrings_IDS_plik_rtf",
          "Resstrings_IDS_plik_doc", "Resstrings_IDS_plik_odt", "Resstrings_IDS_plik_pdf"})
        filtry << tlumacz(klucz).section(QLatin1Char('|'), 0, 0);
    return filtry.join(QStringLiteral(";;"));
}

void log(const QString &funkcja, int linia, const QString &tekst)
{
    host::save_log_to_file(QStringLiteral("ramka\\pliki\\ramka_powiaz_pliki_fr"), funkcja, linia, tekst);
}

} // namespace

Tramka_powiaz_pliki_frame::Tramka_powiaz_pliki_frame(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ramka_powiaz_pliki_frame"));
    m_storeRoot = host::var::SciezkaDokumenty.get();
    m_storeSubfolder =
        host::Sprawdz_czy_sensowny_numer(host::Nazwa_Firmy_skrot(host::GetConnection(), host::var::AktywnaFirma.get()));
    if (!m_storeRoot.trimmed().isEmpty()) {
        m_storeFolder = QDir::cleanPath(
            QFileInfo(host::localPath(m_storeRoot + QLatin1Char('\\') + m_storeSubfolder)).absoluteFilePath());
        if (!host::DirectoryExistsNet(m_storeFolder) && !QDir().mkpath(m_storeFolder))
            log(QStringLiteral("Tramka_powiaz_pliki_frame"), __LINE__,
                QStringLiteral("cannot create ") + m_storeFolder);
    }
    zbudujWidok();
    setAcceptDrops(true);
    podglad();
}

QToolButton *Tramka_powiaz_pliki_frame::przycisk(const char *nazwa, const char *klucz)
{
    auto *b = new QToolButton(this);
    b->setObjectName(QLatin1String(nazwa));
    b->setText(tlumacz(klucz));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

void Tramka_powiaz_pliki_frame::zbudujWidok()
{
    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(0, 0, 0, 0);
    auto *pasek = new QHBoxLayout;
    m_nowy = przycisk("bNowy", "Resstrings_IDS_pliki_dodaj");
    QToolButton *edycja = przycisk("bEdycja", "Resstrings_IDS_pliki_otworz");
    edycja->hide();
    m_usun = przycisk("bUsun", "Resstrings_IDS_pliki_usun");
    m_skanuj = przycisk("bSkanuj", "Resstrings_IDS_pliki_skanuj");
    m_kopiujDo = przycisk("bKopiujDo", "Resstrings_IDS_pliki_kopiuj_do");
    m_wyslij = przycisk("bWyslijPlikPrzezMail", "Resstrings_IDS_pliki_wyslij_mail");
    for (QToolButton *b : {m_nowy, edycja, m_usun, m_skanuj, m_kopiujDo, m_wyslij})
        pasek->addWidget(b);
    pasek->addStretch(1);
    uklad->addLayout(pasek);

    const auto guard = [this](void (Tramka_powiaz_pliki_frame::*klik)()) {
        return [this, klik] { host::guard([&] { (this->*klik)(); }); };
    };
    connect(m_nowy, &QToolButton::clicked, this, guard(&Tramka_powiaz_pliki_frame::bNowyClick));
    connect(edycja, &QToolButton::clicked, this, guard(&Tramka_powiaz_pliki_frame::Otworz1Click));
    connect(m_usun, &QToolButton::clicked, this, guard(&Tramka_powiaz_pliki_frame::bUsunClick));
    connect(m_skanuj, &QToolButton::clicked, this, guard(&Tramka_powiaz_pliki_frame::bSkanujClick));
    connect(m_kopiujDo, &QToolButton::clicked, this, guard(&Tramka_powiaz_pliki_frame::bKopiujDoClick));
    connect(m_wyslij, &QToolButton::clicked, this, guard(&Tramka_powiaz_pliki_frame::bWyslijPlikPrzezMailClick));

    auto *podzial = new QSplitter(this);
    m_lista = new QListWidget(podzial);
    m_lista->setObjectName(QStringLiteral("lbListaPlikow"));
    m_lista->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lista->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_lista, &QListWidget::itemSelectionChanged, this, [this] { host::guard([&] { podglad(); }); });
    connect(m_lista, &QListWidget::itemDoubleClicked, this, guard(&Tramka_powiaz_pliki_frame::Otworz1Click));

    m_menu = new QMenu(this);
    const auto wpis = [&](const char *nazwa, const char *klucz, void (Tramka_powiaz_pliki_frame::*klik)()) {
        QAction *a = m_menu->addAction(tlumacz(klucz), this, guard(klik));
        a->setObjectName(QLatin1String(nazwa));
        return a;
    };
    m_menu->setDefaultAction(wpis("Otworz1", "Resstrings_IDS_pliki_otworz", &Tramka_powiaz_pliki_frame::Otworz1Click));
    wpis("Otwrzzapomoc1", "Resstrings_IDS_pliki_otworz_za_pomoca", &Tramka_powiaz_pliki_frame::Otwrzzapomoc1Click);
    wpis("Kopiujplikdo1", "Resstrings_IDS_pliki_kopiuj_do", &Tramka_powiaz_pliki_frame::bKopiujDoClick);
    wpis("WyslijPlikPrzezMail", "Resstrings_IDS_pliki_wyslij_mail",
         &Tramka_powiaz_pliki_frame::bWyslijPlikPrzezMailClick);
    connect(m_lista, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { m_menu->popup(m_lista->viewport()->mapToGlobal(p)); });

    auto *podgladPanel = new QWidget(podzial);
    auto *ukladPodgladu = new QVBoxLayout(podgladPanel);
    ukladPodgladu->setContentsMargins(0, 0, 0, 0);
    m_zoom = new QWidget(podgladPanel);
    m_zoom->setObjectName(QStringLiteral("ZPanel"));
    auto *ukladZoom = new QHBoxLayout(m_zoom);
    ukladZoom->setContentsMargins(0, 0, 0, 0);
    m_zIn = przycisk("bZIn", "Resstrings_IDS_pliki_powieksz");
    m_zOut = przycisk("bZOut", "Resstrings_IDS_pliki_pomniejsz");
    m_skale = new QComboBox(m_zoom);
    m_skale->setObjectName(QStringLiteral("cbScale"));
    m_skale->addItems(Skale);
    for (QWidget *w : std::initializer_list<QWidget *>{m_zIn, m_zOut, m_skale})
        ukladZoom->addWidget(w);
    ukladZoom->addStretch(1);
    connect(m_zIn, &QToolButton::clicked, this, guard(&Tramka_powiaz_pliki_frame::bZInClick));
    connect(m_zOut, &QToolButton::clicked, this, guard(&Tramka_powiaz_pliki_frame::bZOutClick));
    connect(m_skale, &QComboBox::currentIndexChanged, this,
            [this](int indeks) { host::guard([&] { wybranaSkala(indeks); }); });

    m_widokObrazu = new QScrollArea(podgladPanel);
    m_widokObrazu->setObjectName(QStringLiteral("IV32"));
    m_obrazek = new ObrazWidok;
    m_widokObrazu->setWidget(m_obrazek);
    m_widokObrazu->viewport()->installEventFilter(this);
    m_tekst = new QTextEdit(podgladPanel);
    m_tekst->setObjectName(QStringLiteral("RE"));
    m_tekst->setReadOnly(true);
    m_brakPodgladu =
        new QLabel(tlumacz("Resstrings_IDS_dokument__ramka_dokumenty_frame_unit__BrakPodgladu"), podgladPanel);
    m_brakPodgladu->setObjectName(QStringLiteral("BrakPodgladu"));
    m_brakPodgladu->setAlignment(Qt::AlignCenter);
    ukladPodgladu->addWidget(m_zoom);
    for (QWidget *w : std::initializer_list<QWidget *>{m_widokObrazu, m_tekst, m_brakPodgladu})
        ukladPodgladu->addWidget(w, 1);
#ifdef MALVO_HAVE_QTPDF
    m_dokumentPdf = new QPdfDocument(this);
    auto *pdf = new QPdfView(podgladPanel);
    pdf->setObjectName(QStringLiteral("AcroPDF"));
    pdf->setDocument(m_dokumentPdf);
    pdf->setPageMode(QPdfView::PageMode::MultiPage);
    pdf->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_pdf = pdf;
    ukladPodgladu->addWidget(m_pdf, 1);
#endif
    podzial->setStretchFactor(1, 3);
    uklad->addWidget(podzial, 1);
}

// ---- loading ------------------------------------------------------------------------------

void Tramka_powiaz_pliki_frame::Init(const QString &tabela_slownie, int recordId, int upr)
{
    m_tabelaCode = host::GetIntDB(QStringLiteral("select tabela from definicja_tabela where tabela_slownie = :t"),
                                  QStringLiteral("tabela"), nullptr, {{QStringLiteral("t"), tabela_slownie}});
    m_recordId = recordId;
    m_upr = upr;
    m_readOnly = false;
    wczytajListe();
    wybierzPierwszy();
}

void Tramka_powiaz_pliki_frame::InitOwnerDocuments(int vehicleId, int companyId, int driverId, int upr)
{
    m_upr = upr;
    m_readOnly = true;
    m_tabelaCode = 0;
    m_recordId = 0;
    for (QToolButton *b : {m_nowy, m_usun, m_skanuj, m_kopiujDo})
        b->hide();
    m_menu->findChild<QAction *>(QStringLiteral("Kopiujplikdo1"))->setVisible(false);
    const char *wlasciciel = vehicleId > 0 ? "id_s" : companyId > 0 ? "id_f" : driverId > 0 ? "id_k" : nullptr;
    m_lista->clear();
    if (wlasciciel)
        zaladuj(QStringLiteral("select * from dokument_plik where tabela = 28 and id_ in (select id_dok from dokument "
                               "where %1 = :id) order by id_dp")
                    .arg(QLatin1String(wlasciciel)),
                {{QStringLiteral("id"),
                  vehicleId > 0       ? vehicleId
                      : companyId > 0 ? companyId
                                      : driverId}});
    wybierzPierwszy();
}

void Tramka_powiaz_pliki_frame::wczytajListe()
{
    m_lista->clear();
    if (m_tabelaCode < 1 || m_recordId < 1)
        return;
    // Files linked with code 0 belong to vehicles too.
    const QString warunek = m_tabelaCode == 8 ? QStringLiteral("where (tabela = :tabela or tabela = 0) and id_ = :id_")
                                              : QStringLiteral("where tabela = :tabela and id_=:id_");
    zaladuj(QStringLiteral("select * from VListaDokPlik\n") + warunek + QStringLiteral(" order by id_dp"),
            {{QStringLiteral("tabela"), m_tabelaCode}, {QStringLiteral("id_"), m_recordId}});
}

void Tramka_powiaz_pliki_frame::zaladuj(const QString &sql, const QVariantMap &parametry)
{
    db::Query pliki;
    pliki.setCommandText(sql);
    for (auto it = parametry.cbegin(); it != parametry.cend(); ++it)
        pliki.parameters().setValue(it.key(), it.value());
    if (host::OpenQuery(pliki) != 1)
        return;
    for (pliki.first(); !pliki.eof(); pliki.next()) {
        auto *item = new QListWidgetItem(pliki.value(QStringLiteral("sciezka")).toString(), m_lista);
        item->setData(Qt::UserRole, pliki.value(QStringLiteral("id_dp")));
    }
}

void Tramka_powiaz_pliki_frame::wybierzPierwszy()
{
    m_lista->setCurrentRow(m_lista->count() > 0 ? 0 : -1);
    podglad();
}

// ---- adding -------------------------------------------------------------------------------

void Tramka_powiaz_pliki_frame::bNowyClick()
{
    if (m_readOnly || m_upr < 1)
        return;
    const QStringList pliki = host::prompter().chooseOpenFiles(this, QString(), m_storeFolder, filtrPlikow());
    for (const QString &plik : pliki)
        StoreFile(plik);
}

void Tramka_powiaz_pliki_frame::dragEnterEvent(QDragEnterEvent *event)
{
    if (!m_readOnly && m_upr >= 1 && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Tramka_powiaz_pliki_frame::dropEvent(QDropEvent *event)
{
    host::guard([&] {
        for (const QUrl &url : event->mimeData()->urls())
            if (url.isLocalFile())
                StoreFile(url.toLocalFile());
        event->acceptProposedAction();
    });
}

QString Tramka_powiaz_pliki_frame::wolnaNazwa(const QString &folder, const QString &nazwa)
{
    QString wynik = nazwa;
    while (QFileInfo::exists(QDir(folder).filePath(wynik))) {
        host::InfoI(tlumacz("Resstrings_IDS_plik_juz_istnieje").arg(wynik, folder), this);
        const auto nowa = Tnowa_nazwa_pliku_form::zapytaj(this, wynik);
        if (!nowa)
            return {};
        wynik = *nowa;
    }
    return wynik;
}

bool Tramka_powiaz_pliki_frame::StoreFile(const QString &path)
{
    if (m_storeFolder.isEmpty())
        return false;
    const QFileInfo zrodlo(host::localPath(path));
    if (!zrodlo.isFile())
        return false;
    // Case matters on this file system: another spelling is another folder.
    if (QDir::cleanPath(zrodlo.absolutePath()) == m_storeFolder)
        return zarejestruj(zrodlo.fileName());
    if (host::InfoBox(this, tlumacz("Resstrings_IDS_Kontynuowanie_spowoduje_skopiowanie").arg(zrodlo.fileName()),
                      host::mb::YesNo | host::mb::IconQuestion)
        != host::mb::IdYes)
        return false;
    const QString nazwa = wolnaNazwa(m_storeFolder, zrodlo.fileName());
    if (nazwa.isEmpty()) {
        host::InfoBoxTop(QStringLiteral("Resstrings_IDS_anulowano_dod_dok"), this);
        return false;
    }
    const QString cel = QDir(m_storeFolder).filePath(nazwa);
    if (!QFile::copy(zrodlo.absoluteFilePath(), cel)) {
        host::InfoError(tlumacz("Resstrings_IDS_blad_kopiowania_pliku").arg(zrodlo.absoluteFilePath(), cel), this);
        return false;
    }
    return zarejestruj(nazwa);
}

bool Tramka_powiaz_pliki_frame::zarejestruj(const QString &nazwaPliku)
{
    // A record not saved yet has no files: the copy stays in the store unlinked.
    if (m_tabelaCode < 1 || m_recordId < 1)
        return false;
    auto zapis = host::Otworz_procedure(QStringLiteral("PZapDokPlik"), this);
    if (!zapis)
        return false;
    zapis->setValue(QStringLiteral("@sciezka"), m_storeSubfolder + QLatin1Char('\\') + nazwaPliku);
    zapis->setValue(QStringLiteral("@podkatalog"), QVariant());
    zapis->setValue(QStringLiteral("@tabela"), QString::number(m_tabelaCode));
    zapis->setValue(QStringLiteral("@id_"), m_recordId);
    zapis->setValue(QStringLiteral("@id_u"), host::AktIdU());
    zapis->setValue(QStringLiteral("@id"), QVariant());
    if (host::ExecProc(*zapis) != 1)
        return false;
    const int kod = zapis->returnValue();
    if (kod == 101)
        host::InfoWarning(QStringLiteral("Resstrings_IDS_Rekord_usuniety"), this);
    else if (kod == 102)
        host::InfoWarning(QStringLiteral("Resstrings_IDS_nie_mozna_zapisac_do_synchr"), this);
    else if (kod != 0)
        host::KomunikatZapisuBlad(kod, this);
    if (kod != 0)
        return false;
    const QVariant id = zapis->value(QStringLiteral("@id"));
    wczytajListe();
    for (int i = 0; i < m_lista->count(); ++i)
        if (m_lista->item(i)->data(Qt::UserRole) == id)
            m_lista->setCurrentRow(i);
    podglad();
    return true;
}

void Tramka_powiaz_pliki_frame::bSkanujClick()
{
    if (m_readOnly || m_upr < 1)
        return;
    host::SiblingLibrary biblioteka(skanowanie::Biblioteka);
    auto *skanuj = biblioteka.resolve<skanowanie::SkanujDokumentyFn>("_SkanujDokumenty");
    if (!skanuj) {
        log(QStringLiteral("bSkanujClick"), __LINE__,
            QStringLiteral("no scanning: %1 or its _SkanujDokumenty is missing").arg(biblioteka.path()));
        return;
    }
    const QString domyslna = m_scanBaseName + (m_scanBaseName.isEmpty() ? QString() : QStringLiteral("_"))
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmm"));
    auto nazwa = Tnowa_nazwa_pliku_form::zapytaj(this, domyslna, QString(), true);
    if (!nazwa) {
        host::InfoBoxTop(QStringLiteral("Resstrings_IDS_anulowano_dod_dok"), this);
        return;
    }
    const qsizetype podkreslnik = nazwa->lastIndexOf(QLatin1Char('_'));
    m_scanBaseName = podkreslnik < 0 ? *nazwa : nazwa->left(podkreslnik);
    if (!nazwa->endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
        *nazwa += QStringLiteral(".jpg");
    QString pliki;
    const int ile = skanuj(QDir(m_storeFolder).filePath(*nazwa), &pliki);
    for (const QString &plik : pliki.split(QLatin1Char(';'), Qt::SkipEmptyParts).mid(0, qMax(ile, 0)))
        zarejestruj(QFileInfo(host::localPath(plik)).fileName());
}

// ---- the selected files -------------------------------------------------------------------

QString Tramka_powiaz_pliki_frame::pelnaSciezka(const QListWidgetItem *item) const
{
    if (!item || m_storeRoot.trimmed().isEmpty())
        return {};
    const QString korzen = QDir::cleanPath(QFileInfo(host::localPath(m_storeRoot)).absoluteFilePath());
    const QString plik = QDir::cleanPath(QDir(korzen).absoluteFilePath(host::localPath(item->text())));
    // A stored path never leads out of the store.
    return plik.startsWith(korzen + QLatin1Char('/')) ? plik : QString();
}

QStringList Tramka_powiaz_pliki_frame::zaznaczonePliki(bool tylkoIstniejace) const
{
    QStringList wynik;
    for (const QListWidgetItem *item : m_lista->selectedItems()) {
        const QString plik = pelnaSciezka(item);
        if (!plik.isEmpty() && (!tylkoIstniejace || QFileInfo(plik).isFile()))
            wynik << plik;
    }
    return wynik;
}

void Tramka_powiaz_pliki_frame::Otworz1Click()
{
    for (const QString &plik : zaznaczonePliki(true))
        host::prompter().openFile(plik);
}

// The desktop keeps its "open with" choice in the file manager, so the file's folder is opened there.
void Tramka_powiaz_pliki_frame::Otwrzzapomoc1Click()
{
    QStringList foldery;
    for (const QString &plik : zaznaczonePliki(true))
        if (!foldery.contains(QFileInfo(plik).absolutePath()))
            foldery << QFileInfo(plik).absolutePath();
    for (const QString &folder : foldery)
        host::prompter().openFile(folder);
}

void Tramka_powiaz_pliki_frame::bKopiujDoClick()
{
    const QStringList pliki = zaznaczonePliki(true);
    const int wybrane = int(m_lista->selectedItems().size());
    if (wybrane == 0)
        return;
    const QString folder = host::localPath(host::get_directory(this, QString(), QString()));
    if (folder.isEmpty())
        return;
    int skopiowane = 0;
    QString zrodlo;
    QString cel;
    for (const QString &plik : pliki) {
        zrodlo = plik;
        const QString nazwa = wolnaNazwa(folder, QFileInfo(plik).fileName());
        cel = nazwa.isEmpty() ? QString() : QDir(folder).filePath(nazwa);
        if (!cel.isEmpty() && QFile::copy(plik, cel))
            ++skopiowane;
    }
    if (wybrane == 1 && skopiowane == 0 && !cel.isEmpty())
        host::InfoError(tlumacz("Resstrings_IDS_blad_kopiowania_pliku").arg(zrodlo, cel), this);
    else
        host::InfoI(tlumacz("Resstrings_IDS_copy_x_of_y_files").arg(skopiowane).arg(wybrane), this);
}

void Tramka_powiaz_pliki_frame::bWyslijPlikPrzezMailClick()
{
    const QStringList pliki = zaznaczonePliki(true);
    if (!pliki.isEmpty())
        host::SendMail(pliki);
}

void Tramka_powiaz_pliki_frame::bUsunClick()
{
    if (m_readOnly || m_upr < 1 || m_lista->selectedItems().isEmpty())
        return;
    if (host::InfoBox(this, QStringLiteral("Resstrings_IDS_Czy_usunac_wpis_z_plikiem"),
                      host::mb::YesNo | host::mb::IconQuestion)
        != host::mb::IdYes)
        return;
    for (const QListWidgetItem *item : m_lista->selectedItems()) {
        // An entry whose file is missing stays, so that the user sees what was lost.
        if (!QFileInfo(pelnaSciezka(item)).isFile())
            continue;
        auto usun = host::Otworz_procedure(QStringLiteral("PUsunW"), this);
        if (!usun)
            return;
        usun->setValue(QStringLiteral("@tabela"), QStringLiteral("dokument_plik"));
        usun->setValue(QStringLiteral("@nazwa_id"), QStringLiteral("id_dp"));
        usun->setValue(QStringLiteral("@id_u"), host::AktIdU());
        usun->setValue(QStringLiteral("@czy_wymuszenie"), 0);
        usun->setValue(QStringLiteral("@id"), item->data(Qt::UserRole));
        if (host::ExecProc(*usun) != 1)
            continue;
        if (const int kod = usun->returnValue(); kod != 0)
            host::KomunikatZapisuBlad(kod, this);
        else if (!ramka::usunPlikZMagazynu(m_storeRoot, item->text()))
            log(QStringLiteral("bUsunClick"), __LINE__, QStringLiteral("cannot delete ") + pelnaSciezka(item));
    }
    wczytajListe();
    wybierzPierwszy();
}

// ---- preview ------------------------------------------------------------------------------

void Tramka_powiaz_pliki_frame::odswiezPrzyciski()
{
    const bool zaznaczone = !m_lista->selectedItems().isEmpty();
    const bool zmiany = !m_readOnly && m_upr >= 1;
    m_nowy->setEnabled(zmiany && !m_storeFolder.isEmpty());
    m_skanuj->setEnabled(zmiany && !m_storeFolder.isEmpty());
    m_usun->setEnabled(zmiany && zaznaczone);
    m_kopiujDo->setEnabled(zaznaczone);
    m_wyslij->setEnabled(zaznaczone);
    for (QAction *a : m_menu->actions())
        a->setEnabled(zaznaczone);
}

void Tramka_powiaz_pliki_frame::podglad()
{
    for (QWidget *w : {m_zoom, static_cast<QWidget *>(m_widokObrazu), static_cast<QWidget *>(m_tekst),
                       static_cast<QWidget *>(m_brakPodgladu), m_pdf})
        if (w)
            w->hide();
    odswiezPrzyciski();
    const QList<QListWidgetItem *> zaznaczone = m_lista->selectedItems();
    if (zaznaczone.size() > 1)
        return;
    const QString plik = zaznaczone.isEmpty() ? QString() : pelnaSciezka(zaznaczone.first());
    const QString rozszerzenie = QFileInfo(plik).suffix().toLower();
    if (plik.isEmpty() || !QFileInfo(plik).isFile()) {
        m_brakPodgladu->show();
    } else if (QStringList{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("bmp"), QStringLiteral("png")}
                   .contains(rozszerzenie)
               && m_obraz.load(plik)) {
        m_zoom->show();
        m_widokObrazu->show();
        if (m_skale->currentIndex() == Skala100)
            wybranaSkala(Skala100);
        else
            m_skale->setCurrentIndex(Skala100);
    } else if (rozszerzenie == QLatin1String("txt") || rozszerzenie == QLatin1String("rtf")) {
        QFile f(plik);
        const QString tekst = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        m_tekst->setPlainText(rozszerzenie == QLatin1String("rtf") ? tekstRtf(tekst) : tekst);
        m_tekst->show();
#ifdef MALVO_HAVE_QTPDF
    } else if (rozszerzenie == QLatin1String("pdf") && m_dokumentPdf->load(plik) == QPdfDocument::Error::None) {
        m_pdf->show();
#endif
    } else {
        m_brakPodgladu->show();
    }
}

void Tramka_powiaz_pliki_frame::wybranaSkala(int indeks)
{
    if (indeks <= 0) {
        // The empty entry: the whole image in view.
        const QSize obszar = m_widokObrazu->viewport()->size();
        const QSize obraz = m_obraz.size().expandedTo(QSize(1, 1));
        ustawSkale(qMin(double(obszar.width()) / obraz.width(), double(obszar.height()) / obraz.height()));
    } else {
        ustawSkale(0.01 * QStringView(Skale.at(indeks)).chopped(1).toInt());
    }
    m_zIn->setEnabled(indeks < Skale.size() - 1);
    m_zOut->setEnabled(indeks > 1);
}

void Tramka_powiaz_pliki_frame::ustawSkale(double skala)
{
    m_skala = qBound(0.01, skala, 50.0);
    static_cast<ObrazWidok *>(m_obrazek)->ustaw(&m_obraz, m_skala);
}

void Tramka_powiaz_pliki_frame::bZInClick()
{
    if (m_skale->currentIndex() < Skale.size() - 1)
        m_skale->setCurrentIndex(m_skale->currentIndex() + 1);
}

void Tramka_powiaz_pliki_frame::bZOutClick()
{
    if (m_skale->currentIndex() > 1)
        m_skale->setCurrentIndex(m_skale->currentIndex() - 1);
}

bool Tramka_powiaz_pliki_frame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_widokObrazu->viewport() || event->type() != QEvent::Wheel)
        return QWidget::eventFilter(watched, event);
    auto *kolko = static_cast<QWheelEvent *>(event);
    const int delta = kolko->angleDelta().y();
    if (kolko->modifiers() & Qt::ShiftModifier) {
        QScrollBar *poziomy = m_widokObrazu->horizontalScrollBar();
        poziomy->setValue(poziomy->value() - (delta ? delta : kolko->angleDelta().x()));
        return true;
    }
    if (!(kolko->modifiers() & Qt::ControlModifier) || delta / 12 == 0)
        return false;
    // The point under the pointer stays where it is.
    const QPointF pod = kolko->position();
    QScrollBar *poziomy = m_widokObrazu->horizontalScrollBar();
    QScrollBar *pionowy = m_widokObrazu->verticalScrollBar();
    const QPointF punkt = (QPointF(poziomy->value(), pionowy->value()) + pod) / m_skala;
    ustawSkale(m_skala + m_skala / (delta / 12.0));
    poziomy->setValue(qRound(punkt.x() * m_skala - pod.x()));
    pionowy->setValue(qRound(punkt.y() * m_skala - pod.y()));
    return true;
}
