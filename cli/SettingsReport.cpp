#include "SettingsReport.h"

#include "SettingsTable.h"

namespace cli {

std::string SettingsReport(TStereogram& Stereogram) {
    // Setting the viewing distance to itself recomputes the derived geometry, Separation included.
    Stereogram.SetObservDistance(Stereogram.ObservDistance());
    std::string Report;
    for (const TSettingEntry& Entry : SettingsTable())
        if (Entry.Read && Entry.Target == TSettingTarget::Generator)
            Report.append(Entry.Option.substr(2)).append("=").append(SettingValueText(Entry, Entry.Read(Stereogram))).append("\n");
    return Report;
}

}  // namespace cli
