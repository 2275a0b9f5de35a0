#include "ramka/actions/usuwanie_watek.h"

#include "connection.h"
#include "db_error.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "statement_time_limit.h"
#include "stored_proc.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ramka {

namespace {

// PUsunW for one row, ready to run.
std::unique_ptr<db::StoredProc> usunW(db::Connection &polaczenie, const QString &tabela, const QString &nazwaId,
                                      int idU, bool wymuszenie, int id)
{
    auto usun = std::make_unique<db::StoredProc>(&polaczenie, QStringLiteral("PUsunW;1"));
    usun->refreshParameters();
    usun->setValue(QStringLiteral("@tabela"), tabela);
    usun->setValue(QStringLiteral("@nazwa_id"), nazwaId);
    usun->setValue(QStringLiteral("@id_u"), idU);
    usun->setValue(QStringLiteral("@czy_wymuszenie"), wymuszenie ? 1 : 0);
    usun->setValue(QStringLiteral("@id"), id);
    return usun;
}

} // namespace

UsunietyWiersz usunWierszZPlikami(db::Connection &polaczenie, db::StoredProc &usun, const QList<PlikPowiazany> &pliki,
                                  int idU, int limitCzasu)
{
    UsunietyWiersz wynik;
    db::StatementTimeLimit limit(polaczenie, limitCzasu);
    try {
        db::Transaction transakcja(polaczenie);
        for (const PlikPowiazany &plik : pliki) {
            const int kod =
                usunW(polaczenie, QStringLiteral("dokument_plik"), QStringLiteral("id_dp"), idU, false, plik.idDp)
                    ->execProc();
            // 101: the link went with something else meanwhile; the file still goes.
            if (kod != 0 && kod != 101) {
                wynik.blad = QStringLiteral("%1: %2").arg(plik.sciezka).arg(kod);
                return wynik;
            }
        }
        const int kod = usun.execProc();
        if (kod != 0) {
            wynik.blad = QString::number(kod);
            return wynik;
        }
        transakcja.commit();
        wynik.usuniety = true;
    } catch (const db::DbError &blad) {
        if (!limit.expired() && !db::StatementTimeLimit::isTimeout(blad.message()))
            throw;
        wynik.czasMinal = true;
    }
    return wynik;
}

QString opisLimituCzasu(int limitCzasu)
{
    return host::LoadResstrings(QStringLiteral("Resstrings_IDS_Usuwanie_limit_czasu")).arg(qMax(1, limitCzasu / 1000));
}

bool usunPlikZMagazynu(const QString &katalogDokumentow, const QString &sciezka)
{
    if (katalogDokumentow.isEmpty() || sciezka.trimmed().isEmpty())
        return false;
    const QString korzen = QDir::cleanPath(QFileInfo(host::localPath(katalogDokumentow)).absoluteFilePath());
    const QString plik = QDir::cleanPath(QDir(korzen).absoluteFilePath(host::localPath(sciezka)));
    if (!plik.startsWith(korzen + QLatin1Char('/')))
        return false;
    return !QFileInfo::exists(plik) || QFile::remove(plik);
}

// One window hook call, shared by the worker that waits for it and the
// window's thread that answers it; either side may give up first.
struct TUsuwanie_watek::ZadanieOkna
{
    std::mutex mutex;
    std::condition_variable gotowe;
    bool odpowiedziano = false;
    bool porzucone = false;
    bool wynik = false;
};

TUsuwanie_watek::TUsuwanie_watek(ParametryUsuwania parametry, QObject *parent)
    : QThread(parent),
      m_p(std::move(parametry)),
      m_opisLimituCzasu(opisLimituCzasu(m_p.limitCzasu))
{
    m_wynik.wszystkie = int(m_p.ids.size());
}

TUsuwanie_watek::~TUsuwanie_watek()
{
    porzuc();
    wait();
    // QThread::wait() synchronises inside Qt, where the thread sanitizer cannot
    // see it; the lock the thread wrote its result under orders that write
    // before the members go.
    const std::lock_guard blokada(m_mutex);
}

void TUsuwanie_watek::wstrzymaj()
{
    const std::lock_guard blokada(m_mutex);
    m_wstrzymany = true;
}

void TUsuwanie_watek::wznow()
{
    const std::lock_guard blokada(m_mutex);
    m_wstrzymany = false;
    m_wznowiono.notify_all();
}

void TUsuwanie_watek::zatrzymaj()
{
    const std::lock_guard blokada(m_mutex);
    m_stop = true;
    m_wznowiono.notify_all();
}

void TUsuwanie_watek::porzuc()
{
    const std::lock_guard blokada(m_mutex);
    m_stop = true;
    m_porzucony = true;
    m_wznowiono.notify_all();
    if (m_zadanie) {
        const std::lock_guard blokadaZadania(m_zadanie->mutex);
        m_zadanie->porzucone = true;
        m_zadanie->gotowe.notify_all();
    }
}

void TUsuwanie_watek::zatrzymajIZaczekaj()
{
    zatrzymaj();
    while (!wait(QDeadlineTimer(20)))
        QCoreApplication::processEvents();
}

bool TUsuwanie_watek::wstrzymany() const
{
    const std::lock_guard blokada(m_mutex);
    return m_wstrzymany;
}

WynikUsuwania TUsuwanie_watek::wynik() const
{
    const std::lock_guard blokada(m_mutex);
    return m_wynik;
}

bool TUsuwanie_watek::czekajNaWznowienie()
{
    std::unique_lock blokada(m_mutex);
    m_wznowiono.wait(blokada, [this] { return !m_wstrzymany || m_stop; });
    return !m_stop;
}

void TUsuwanie_watek::run()
{
    WynikUsuwania wynik;
    wynik.wszystkie = int(m_p.ids.size());
    std::unique_ptr<db::Connection> polaczenie;
    host::guard([&] {
        try {
            polaczenie = db::Connection::open(m_p.polaczenie);
        } catch (const std::exception &blad) {
            // The guard logs it; the user's report needs its text too.
            wynik.bledy << QString::fromUtf8(blad.what());
            throw;
        }
    });
    if (polaczenie) {
        for (int id : m_p.ids) {
            if (!czekajNaWznowienie()) {
                wynik.przerwano = true;
                break;
            }
            if (!usunWiersz(*polaczenie, id, wynik)) {
                wynik.przerwano = true;
                break;
            }
            ++wynik.przetworzone;
            emit postep(wynik.przetworzone, wynik.usuniete, wynik.wszystkie);
        }
    }
    // The connection belongs to this thread and is closed on it.
    polaczenie.reset();
    const std::lock_guard blokada(m_mutex);
    m_wynik = wynik;
}

std::optional<bool> TUsuwanie_watek::wywolajWOknie(std::function<bool()> hak)
{
    auto zadanie = std::make_shared<ZadanieOkna>();
    {
        const std::lock_guard blokada(m_mutex);
        if (m_porzucony)
            return std::nullopt;
        m_zadanie = zadanie;
    }
    // Queued to this object, which lives on the window's thread: the event
    // dies with it, and its destructor gives the call up first.
    QMetaObject::invokeMethod(
        this,
        [zadanie, hak = std::move(hak)] {
            {
                const std::lock_guard blokada(zadanie->mutex);
                if (zadanie->porzucone)
                    return;
            }
            const bool wynik = host::guard(false, hak);
            const std::lock_guard blokada(zadanie->mutex);
            zadanie->wynik = wynik;
            zadanie->odpowiedziano = true;
            zadanie->gotowe.notify_all();
        },
        Qt::QueuedConnection);

    std::optional<bool> odpowiedz;
    {
        std::unique_lock blokada(zadanie->mutex);
        zadanie->gotowe.wait(blokada, [&] { return zadanie->odpowiedziano || zadanie->porzucone; });
        if (zadanie->odpowiedziano)
            odpowiedz = zadanie->wynik;
    }
    const std::lock_guard blokada(m_mutex);
    m_zadanie.reset();
    return odpowiedz;
}

bool TUsuwanie_watek::usunWiersz(db::Connection &polaczenie, int id, WynikUsuwania &wynik)
{
    if (id == 0) {
        wynik.cosUsunieto = true;
        return true;
    }
    return host::guard(true, [&] {
        try {
            return wykonajUsuniecie(polaczenie, id, wynik);
        } catch (const std::exception &blad) {
            // The guard logs it; the user's report names the row.
            wynik.bledy << QStringLiteral("%1: %2").arg(id).arg(QString::fromUtf8(blad.what()));
            throw;
        }
    });
}

bool TUsuwanie_watek::wykonajUsuniecie(db::Connection &polaczenie, int id, WynikUsuwania &wynik)
{
    if (const auto hak = m_p.hakiOkna.usuwanieRekordu) {
        // The hook may outlive a given-up wait, so it reports into a part of its own.
        auto czesc = std::make_shared<WynikUsuwania>();
        const std::optional<bool> usunieto =
            wywolajWOknie([hak, kontekst = m_p.hakiOkna.kontekst, id, pliki = m_p.plikiDoUsuniecia.value(id), czesc] {
                return kontekst && hak(id, pliki, *czesc);
            });
        if (!usunieto)
            return false;
        wynik.odmowy += czesc->odmowy;
        wynik.odrzuconePrzezHak += czesc->odrzuconePrzezHak;
        wynik.bledy += czesc->bledy;
        wynik.plikiNieusuniete += czesc->plikiNieusuniete;
        if (*usunieto) {
            ++wynik.usuniete;
            wynik.usunieteIds << id;
            wynik.cosUsunieto = true;
        }
        return true;
    }
    if (!m_p.tabelaCanDel.isEmpty()) {
        db::StoredProc sprawdz(&polaczenie, QStringLiteral("PCanDel;1"));
        sprawdz.refreshParameters();
        sprawdz.setValue(QStringLiteral("@id"), id);
        sprawdz.setValue(QStringLiteral("@tabela"), m_p.tabelaCanDel);
        sprawdz.setValue(QStringLiteral("@id_jezyka"), m_p.idJezyka);
        sprawdz.setValue(QStringLiteral("@czy_wymuszenie"), 0);
        sprawdz.execProc();
        const QString odp = sprawdz.value(QStringLiteral("@odp")).toString();
        if (!odp.trimmed().isEmpty()) {
            wynik.odmowy << odp;
            return true;
        }
    }
    if (m_p.przedUsunieciem && !m_p.przedUsunieciem(id, polaczenie)) {
        ++wynik.odrzuconePrzezHak;
        return true;
    }
    if (m_p.hakiOkna.przedUsunieciem) {
        const std::optional<bool> zgoda =
            wywolajWOknie([this, id] { return m_p.hakiOkna.kontekst && m_p.hakiOkna.przedUsunieciem(id); });
        if (!zgoda)
            return false;
        if (!*zgoda) {
            ++wynik.odrzuconePrzezHak;
            return true;
        }
    }

    const auto usun = usunW(polaczenie, m_p.tabela, m_p.nazwaId, m_p.idU, m_p.wymuszenie, id);
    if (m_p.hakiOkna.parametryWiersza && !wywolajWOknie([&] {
            if (m_p.hakiOkna.kontekst)
                m_p.hakiOkna.parametryWiersza(*usun, id);
            return true;
        }))
        return false;

    const UsunietyWiersz wiersz =
        usunWierszZPlikami(polaczenie, *usun, m_p.plikiDoUsuniecia.value(id), m_p.idU, m_p.limitCzasu);
    if (!wiersz.usuniety) {
        wynik.bledy << QStringLiteral("%1: %2").arg(id).arg(wiersz.czasMinal ? m_opisLimituCzasu : wiersz.blad);
        return true;
    }
    ++wynik.usuniete;
    wynik.usunieteIds << id;
    wynik.cosUsunieto = true;
    usunPliki(id, wynik);
    if (m_p.poUsunieciu)
        m_p.poUsunieciu(id, polaczenie);
    if (m_p.hakiOkna.poUsunieciu)
        wywolajWOknie([this, id] {
            if (m_p.hakiOkna.kontekst)
                m_p.hakiOkna.poUsunieciu(id);
            return true;
        });
    return true;
}

void TUsuwanie_watek::usunPliki(int id, WynikUsuwania &wynik)
{
    for (const PlikPowiazany &plik : m_p.plikiDoUsuniecia.value(id))
        if (!usunPlikZMagazynu(m_p.katalogDokumentow, plik.sciezka))
            wynik.plikiNieusuniete << plik.sciezka;
}

} // namespace ramka
