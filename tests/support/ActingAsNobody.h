#pragma once

#include <QtGlobal>
#include <unistd.h>

// While alive, the test acts as the user "nobody" when it runs as root, so that file permissions
// (which root passes by) apply to what it does.
class ActingAsNobody
{
public:
    ActingAsNobody()
    {
        if (geteuid() == 0 && (setegid(65534) != 0 || seteuid(65534) != 0))
            qFatal("cannot act as nobody");
    }
    ~ActingAsNobody()
    {
        if (getuid() == 0 && (seteuid(0) != 0 || setegid(0) != 0))
            qFatal("cannot act as root again");
    }
    ActingAsNobody(const ActingAsNobody&) = delete;
    ActingAsNobody& operator=(const ActingAsNobody&) = delete;
};
