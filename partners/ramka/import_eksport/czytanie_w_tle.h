#pragma once

#include "ramka/import_eksport/drzewo_ie.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Reads a file's records on a thread of its own, a few records ahead of the
// one storing them, so that reading and storing overlap. The reading must
// not touch the user interface.
class CzytanieWTle
{
public:
    // czytaj reads the file, giving each record to the receiver it is handed
    // and stopping when that says false; its result is zakoncz()'s.
    explicit CzytanieWTle(std::function<bool(const OdbiorcaRekordow &)> czytaj);
    ~CzytanieWTle();
    CzytanieWTle(const CzytanieWTle &) = delete;
    CzytanieWTle &operator=(const CzytanieWTle &) = delete;

    // The next record, waiting for it; null once the file is read or the reading failed.
    std::unique_ptr<TIEComposite> nastepny();
    // Stops the reading where it is and waits for the thread: the reading's
    // result, or its exception rethrown.
    bool zakoncz();

private:
    bool wloz(std::unique_ptr<TIEComposite> rekord);

    std::mutex m_blokada;
    std::condition_variable m_jestRekord;
    std::condition_variable m_jestMiejsce;
    std::deque<std::unique_ptr<TIEComposite>> m_kolejka;
    bool m_koniecPliku = false;
    bool m_porzucone = false;
    bool m_wynik = false;
    std::exception_ptr m_blad;
    std::thread m_watek;
};
