#include "LoopingSoundPlayer.h"

#include "platform/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString LoopingSoundPlayer::Locate(const QString& fileName) {
    const QFileInfo given(fileName);
    if (given.isAbsolute() || given.exists())
        return given.absoluteFilePath();
    return QDir(platform::DataFolder()).filePath(fileName);
}

void LoopingSoundPlayer::PlayLooping(const QString& fileName) {
    m_effect.stop();
    m_effect.setSource(QUrl::fromLocalFile(Locate(fileName)));
    m_effect.setLoopCount(QSoundEffect::Infinite);
    m_effect.play();
}

void LoopingSoundPlayer::Stop() {
    m_effect.stop();
}
