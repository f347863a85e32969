#pragma once
// Registry keys read through QSettings' native format: the Windows registry on Windows, INI
// files under the XDG configuration folders elsewhere.

#include "model/RegistrySource.h"

#include <QString>

namespace varnel {

class QtRegistrySource : public RegistrySource {
public:
    // The migration key lives under the machine's root, the handheld folder under the user's.
    enum class Hive { LocalMachine, CurrentUser };

    // `root` overrides where keys live (tests point it at a temporary folder); empty means the
    // platform's own place.
    explicit QtRegistrySource(Hive hive, QString root = {});

    std::unique_ptr<RegistryKey> open(std::string_view path) const override;

    bool writeString(std::string_view path, std::string_view name, std::string_view value) override;

private:
    Hive hive_;
    QString root_;
};

} // namespace varnel
