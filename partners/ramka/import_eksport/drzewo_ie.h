#pragma once

#include <QString>
#include <QVariant>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

// The neutral tree of named values a record travels in between the database
// and a file.
class TIEComponent
{
public:
    virtual ~TIEComponent() = default;

    virtual bool IsLeaf() const = 0;
    virtual QString GetName() const = 0;
    virtual bool IsFlat() const = 0;
    virtual void Prune() {}
    virtual bool IsEmpty() const = 0;
    virtual QVariant GetValue(const QString &name) const = 0;
};

class TIELeaf : public TIEComponent
{
public:
    TIELeaf(const QString &name, const QString &value);
    ~TIELeaf() override;

    bool IsLeaf() const override { return true; }
    QString GetName() const override { return name; }
    bool IsFlat() const override { return true; }
    bool IsEmpty() const override { return value.isEmpty(); }
    QVariant GetValue(const QString &name) const override;

    QString name;
    QString value;
    // Live leaves, to catch a tree that is not destroyed whole; trees are
    // built on a reading thread.
    static inline std::atomic<int> zywe = 0;
};

class TIEComposite : public TIEComponent
{
public:
    explicit TIEComposite(const QString &name);
    ~TIEComposite() override;

    bool IsLeaf() const override { return false; }
    QString GetName() const override { return name; }
    bool IsFlat() const override;
    void Prune() override;
    bool IsEmpty() const override { return children.empty(); }
    QVariant GetValue(const QString &name) const override;

    TIELeaf *dodajLisc(const QString &name, const QString &value);
    TIEComposite *dodajWezel(const QString &name);

    QString name;
    std::vector<std::unique_ptr<TIEComponent>> children;
    static inline std::atomic<int> zywe = 0;
};

using RekordyIE = std::vector<std::unique_ptr<TIEComposite>>;

// Takes the records of a file one by one; false stops the reading.
using OdbiorcaRekordow = std::function<bool(std::unique_ptr<TIEComposite>)>;

// Told after each record (number from 1, count); false asks the job to stop.
using PostepIE = std::function<bool(int biezacy, int wszystkie)>;
