#pragma once

#include "platform/TextCodec.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <string>
#include <vector>

// Ties a record's text fields to the edits that show them. Writing back replaces a field only when
// the user changed its edit's text, so bytes from an older file (Windows-1252) survive an "&Ok"
// untouched; a changed field is stored as UTF-8.
template <class Record> class TextFieldBinder {
public:
    using Field = std::string Record::*;

    void Bind(QLineEdit* edit, Field field) { m_entries.push_back({edit, nullptr, field, {}}); }
    void Bind(QPlainTextEdit* edit, Field field) { m_entries.push_back({nullptr, edit, field, {}}); }

    // Fills the edits and remembers what each one shows, after the edit has taken the text in.
    void Show(const Record& record) {
        for (Entry& entry : m_entries) {
            const QString text = platform::toQString(record.*entry.field);
            if (entry.line)
                entry.line->setText(text);
            else
                entry.plain->setPlainText(text);
            entry.shown = TextOf(entry);
        }
    }

    void Store(Record& record) const {
        for (const Entry& entry : m_entries) {
            const QString text = TextOf(entry);
            if (text != entry.shown)
                record.*entry.field = platform::fromQString(text);
        }
    }

private:
    struct Entry {
        QLineEdit* line;
        QPlainTextEdit* plain;
        Field field;
        QString shown;
    };

    static QString TextOf(const Entry& entry) { return entry.line ? entry.line->text() : entry.plain->toPlainText(); }

    std::vector<Entry> m_entries;
};
