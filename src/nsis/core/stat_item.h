// One statistics number the user created on the service's web site, as the service lists it.
#pragma once

#include <QString>

struct StatItem {
    QString number;
    QString name;

    bool operator==(const StatItem&) const = default;
};
