#include "app/command_line.h"

#include "base/error.h"

#include <algorithm>

namespace vendaxo {

namespace {

std::string installedList(const Installation& installation) {
    const auto numbers = installation.merchantNumbers();
    const auto names = installation.companyNames();
    std::string list;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (!list.empty())
            list += ", ";
        list += numbers[i];
        if (i < names.size() && !names[i].empty())
            list += " (" + names[i] + ")";
    }
    return list;
}

// Index of the requested merchant among the installed ones.
std::size_t merchantIndex(const Installation& installation,
                          const std::optional<std::string>& requested) {
    if (trimmed(installation.serial).empty())
        throw Error("No merchant is installed; run 'vendaxo-cli install' first.");
    const auto numbers = installation.merchantNumbers();
    if (!requested) {
        if (installation.hasSeveralMerchants())
            throw Error("Several merchants are installed: " + installedList(installation) +
                        ". Choose one with --merchant.");
        return 0;
    }
    const auto found = std::find(numbers.begin(), numbers.end(), trimmed(*requested));
    if (found == numbers.end())
        throw Error("Merchant " + *requested +
                    " is not installed. Installed: " + installedList(installation) + ".");
    return static_cast<std::size_t>(found - numbers.begin());
}

} // namespace

void install(SettingsStore& store, const InstallationValues& values) {
    const auto merchants = splitList(values.serial, ';').size();
    const auto companies = splitList(values.company, ';').size();
    if (merchants != companies)
        throw Error("--serial names " + std::to_string(merchants) + " merchant(s) but --company " +
                    std::to_string(companies) + "; give one company name per merchant number.");
    SettingsStore::KeyValues key{std::string(kInstallationKey), {}};
    const auto add = [&](const InstallationValue& name, const std::string& value) {
        key.values.push_back({std::string(name.name), RegValue::string(value)});
    };
    add(stored::kSerial, values.serial);
    add(stored::kCompany, values.company);
    add(stored::kCartServer, values.cartServerAddress);
    add(stored::kOrderRetrieval, values.orderRetrievalAddress);
    if (values.helpFile)
        add(stored::kHelpFile, *values.helpFile);
    if (values.folder)
        add(stored::kInstallFolder, *values.folder);
    store.writeAll({key});
}

void selectMerchant(SettingsStore& store, const Installation& installation,
                    const std::optional<std::string>& requested) {
    const std::size_t index = merchantIndex(installation, requested);
    store.setMerchantNumber(installation.hasSeveralMerchants()
                                ? installation.merchantNumbers()[index]
                                : installation.serial);
}

MerchantProfile loadProfileFor(SettingsStore& store, const Installation& installation,
                               const std::optional<std::string>& requested) {
    const std::size_t index = merchantIndex(installation, requested);
    return installation.hasSeveralMerchants() ? loadChosenMerchant(store, installation, index)
                                              : loadSingleMerchant(store, installation);
}

} // namespace vendaxo
