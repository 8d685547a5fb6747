// The module the program loads once its window shows (see LatePlayer): the libmpv player, with
// the libraries it needs, behind one exported factory.
#include "player/LatePlayer.h"
#include "player/MpvPlayer.h"

extern "C" Q_DECL_EXPORT MediaPlayer* vexolinMakePlayer(int mode)
{
    return new MpvPlayer(MpvPlayer::Mode(mode));
}

// The factory's name is the one LatePlayer looks for.
static_assert(sizeof(LatePlayer::FactoryName) == sizeof("vexolinMakePlayer"));
