// Favourite stations from the keys and the setup menu: recall, store and list.
#include <cstdint>

#include "plugins/fm/fm_commands.h"
#include "plugins/fm/fm_controller.h"
#include "plugins/fm/fm_favourites.h"
#include "plugins/fm/fm_menu_commands.h"
#include "plugins/fm/fm_settings_keys.h"

namespace sonidra {
namespace {}  // namespace

void FmController::Favourite(bool next) {
    if (tuningMode == kModeFavourites) {
        favouriteSlot = (favouriteSlot + (next ? 1 : kFavouriteSlots - 1)) % kFavouriteSlots;
        setRegInt(kKeyFmPreviousFavourite, favouriteSlot);
    } else {
        tuningMode = kModeFavourites;
        favouriteSlot = getRegInt(kKeyFmPreviousFavourite, 0);
        // A stored slot outside the list would index past it.
        if (favouriteSlot < 0 || favouriteSlot >= kFavouriteSlots) favouriteSlot = 0;
    }
    currentChannel = favourites.at(static_cast<size_t>(favouriteSlot));
    Engine(kFmSelectChannel, reinterpret_cast<void*>(static_cast<intptr_t>(currentChannel)));
    ShowFrequency(currentChannel, favouriteSlot + 1);
    ShowFavouriteNumber(favouriteSlot);
    Flip();
    Panel(kPanelFrequency, band.Hertz(currentChannel), favouriteSlot + 1);
}

void FmController::StoreFavourite(int slot) {
    if (!HasMenu() || slot < 0 || slot >= static_cast<int>(favourites.size())) return;
    favourites[static_cast<size_t>(slot)] = currentChannel;
    const std::string line = FavouriteLine(slot, band, currentChannel);
    Menu(kFmMenuFavouriteLine, line.c_str());
    Flip();
}

void FmController::ListFavourites() {
    if (!HasMenu()) return;
    std::vector<std::string> lines;
    for (size_t slot = 0; slot < favourites.size(); ++slot)
        lines.push_back(FavouriteLine(static_cast<int>(slot), band, favourites[slot]));
    Menu(kFmMenuFavouriteLines, &lines);
    Flip();
}

}  // namespace sonidra
