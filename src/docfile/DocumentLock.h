#pragma once

#include <QLockFile>
#include <QString>

#include <optional>

// Marks a document file as in use by this program for as long as the object lives, so that
// another copy of the program, on this computer or another, learns who has it open. The mark is
// a lock file beside the document (".name.lock"), or in the user's data folder when the
// document's folder cannot take one. A mark left by a program that has ended counts as none.
class DocumentLock {
public:
    struct Holder {
        qint64 pid = 0;
        QString host;
        QString program;
        QString user;
    };

    // Takes the lock when nobody else holds it.
    explicit DocumentLock(const QString& document);

    bool IsLocked() const { return m_file.isLocked(); }
    // Tries once more to take a lock that was held when this object was made; true once it is ours.
    bool TryAgain();

    // The live program, other than this one, that holds the document.
    static std::optional<Holder> HolderOf(const QString& document);
    // "tavoro (process 4242 on desk, user ann)", for messages.
    static QString Describe(const Holder& holder);

private:
    static QString LockPathFor(const QString& document);

    QLockFile m_file;
};
