// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/settings.h"

#include <QSettings>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

using StoredOptions = std::vector<std::pair<const char *, const char *>>;

// The per-user store, holding only the given options while it lives.
struct StoreFor {
    explicit StoreFor(const StoredOptions &options = {})
    {
        const std::unique_ptr<QSettings> store = Settings::openStore();
        store->clear();
        for (const auto &[key, text] : options)
            store->setValue(QStringLiteral("Options/") + QLatin1String(key), QLatin1String(text));
    }
    ~StoreFor() { Settings::openStore()->clear(); }
    static QString value(const char *key)
    {
        return Settings::openStore()->value(QStringLiteral("Options/") + QLatin1String(key)).toString();
    }
};
