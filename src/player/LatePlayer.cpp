#include "player/LatePlayer.h"

#include <QThread>
#include <QVBoxLayout>
#include <QWidget>
#include <utility>

namespace {

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype length = text.size();
    while (length > 0 && text.at(length - 1) == u' ')
        --length;
    return text.left(length);
}

} // namespace

LatePlayer::LatePlayer(const QString& modulePath, int mode, QObject* parent)
    : MediaPlayer(parent), module_(modulePath), mode_(mode)
{
}

LatePlayer::~LatePlayer()
{
    if (loader_) {
        loader_->wait();
        delete loader_;
    }
    // The real player goes first: its video is drawn in the slot, which the window owns.
    real_.reset();
}

void LatePlayer::load()
{
    if (loader_ || ready_)
        return;
    // Reading the module maps and relocates its libraries: the window stays responsive meanwhile.
    loader_ = QThread::create([this] { static_cast<void>(module_.load()); });
    connect(loader_, &QThread::finished, this, &LatePlayer::moduleLoaded);
    loader_->start();
}

void LatePlayer::moduleLoaded()
{
    using Factory = MediaPlayer* (*)(int);
    const auto make = module_.isLoaded() ? reinterpret_cast<Factory>(module_.resolve(FactoryName)) : nullptr;
    if (make)
        real_.reset(make(mode_));
    if (real_) {
        adoptVideoWidget();
        connectSignals();
        real_->setEntryOption(entryOption_);
        if (volume_ != 100)
            real_->setVolume(volume_);
    } else {
        loadFailed_ = true;
        error_ = tr("Cannot start the media player: %1").arg(module_.errorString());
    }
    ready_ = true;
    emit ready();

    // What was asked meanwhile is asked of the real player now, in the same order of effect;
    // the state it ends in is announced once, at the end.
    const Kept kept = std::exchange(kept_, {});
    if (!kept.fileName.isEmpty()) {
        if (!real_) {
            publishState();
            emit error();
            return;
        }
        handingOver_ = true;
        real_->open(kept.fileName);
        if (kept.position)
            real_->setCurrentPosition(*kept.position);
        if (kept.stopped)
            real_->stop();
        else if (kept.paused)
            real_->pause();
        handingOver_ = false;
    }
    publishState();
}

void LatePlayer::adoptVideoWidget()
{
    QWidget* video = real_->videoWidget();
    if (!video || !videoSlot_)
        return;
    videoSlot_->layout()->addWidget(video);
}

void LatePlayer::connectSignals()
{
    MediaPlayer* real = real_.get();
    connect(real, &MediaPlayer::endOfStream, this, &MediaPlayer::endOfStream);
    connect(real, &MediaPlayer::newStream, this, &MediaPlayer::newStream);
    connect(real, &MediaPlayer::error, this, &MediaPlayer::error);
    connect(real, &MediaPlayer::stateChanged, this, &LatePlayer::publishState);
    connect(real, &MediaPlayer::seeked, this, &MediaPlayer::seeked);
    connect(real, &MediaPlayer::seekableChanged, this, &MediaPlayer::seekableChanged);
    connect(real, &MediaPlayer::volumeChanged, this, &MediaPlayer::volumeChanged);
}

void LatePlayer::publishState()
{
    if (handingOver_)
        return;
    const int now = state();
    if (now == lastState_)
        return;
    const int old = std::exchange(lastState_, now);
    emit stateChanged(old, now);
}

bool LatePlayer::open(const QString& pathOrUrl)
{
    if (real_)
        return real_->open(pathOrUrl);
    if (loadFailed_) {
        // Reported once the caller is done opening, as a file that cannot be loaded is.
        QMetaObject::invokeMethod(this, &MediaPlayer::error, Qt::QueuedConnection);
        return false;
    }
    // Opened as soon as the player is in.
    kept_ = Kept();
    kept_.fileName = withoutTrailingBlanks(pathOrUrl);
    load();
    publishState();
    return true;
}

bool LatePlayer::play()
{
    if (real_)
        return real_->play();
    if (!hasKeptMedia())
        return false;
    kept_.paused = kept_.stopped = false;
    publishState();
    return true;
}

bool LatePlayer::pause()
{
    if (real_)
        return real_->pause();
    if (!hasKeptMedia())
        return false;
    kept_.paused = true;
    publishState();
    return true;
}

bool LatePlayer::stop()
{
    if (real_)
        return real_->stop();
    if (loadFailed_)
        return false;
    if (hasKeptMedia())
        kept_.stopped = true;
    publishState();
    return true;
}

bool LatePlayer::previous()
{
    return real_ && real_->previous();
}

bool LatePlayer::next()
{
    return real_ && real_->next();
}

double LatePlayer::currentPosition() const
{
    if (real_)
        return real_->currentPosition();
    return hasKeptMedia() ? kept_.position.value_or(0.0) : -1;
}

bool LatePlayer::setCurrentPosition(double seconds)
{
    if (real_)
        return real_->setCurrentPosition(seconds);
    if (!hasKeptMedia())
        return false;
    kept_.position = qMax(0.0, seconds);
    emit seeked(*kept_.position);
    return true;
}

double LatePlayer::duration() const
{
    return real_ ? real_->duration() : 0;
}

bool LatePlayer::canSeek() const
{
    return real_ && real_->canSeek();
}

int LatePlayer::volume() const
{
    return real_ ? real_->volume() : volume_;
}

bool LatePlayer::setVolume(int percent)
{
    if (real_)
        return real_->setVolume(percent);
    if (loadFailed_)
        return false;
    percent = qBound(0, percent, 100);
    if (percent != std::exchange(volume_, percent))
        emit volumeChanged(percent);
    return true;
}

QString LatePlayer::fileName() const
{
    return real_ ? real_->fileName() : kept_.fileName;
}

int LatePlayer::state() const
{
    if (real_)
        return real_->state();
    if (!hasKeptMedia() || kept_.stopped)
        return Stopped;
    return kept_.paused ? Paused : Playing;
}

QString LatePlayer::errorDescription() const
{
    return real_ ? real_->errorDescription() : error_;
}

std::optional<int> LatePlayer::currentEntry() const
{
    return real_ ? real_->currentEntry() : std::nullopt;
}

std::optional<int> LatePlayer::entryCount() const
{
    return real_ ? real_->entryCount() : std::nullopt;
}

void LatePlayer::setEntryOption(bool on)
{
    entryOption_ = on;
    if (real_)
        real_->setEntryOption(on);
}

QWidget* LatePlayer::videoWidget()
{
    if (!videoSlot_) {
        // Draws nothing of its own and takes no input: what lies behind it shows and gets the
        // clicks and drops, as it does over the real player's video.
        videoSlot_ = new QWidget;
        videoSlot_->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* layout = new QVBoxLayout(videoSlot_);
        layout->setContentsMargins(0, 0, 0, 0);
        if (real_)
            adoptVideoWidget();
    }
    return videoSlot_;
}
