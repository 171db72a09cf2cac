// IStatList: the statistics list that page 8 of the wizard may show above its form, and the maker that places one.
#pragma once

#include "nsis/core/stat_item.h"

#include <QList>
#include <functional>

class CStatNumberPanel;

class IStatList {
public:
    // The rows listed now; empty until the user signed in.
    virtual QList<StatItem> ListedItems() const = 0;

protected:
    ~IStatList() = default;
};

// Puts a list into the form's service place, owned by the form; empty for a plain form.
using StatListMaker = std::function<IStatList*(CStatNumberPanel& form)>;
