#pragma once
// A small database with one material of every record kind and unusual contents:
// non-default prices and stock, flags that no property value explains, stored
// categories that differ from the class default, texts outside ASCII.
#include "materials/database.h"

namespace trevane::testing {

inline TMaterialList RichMaterials() {
    TMaterialList list;

    auto oak = TWood::Create();
    oak->Name = "Oak";
    oak->PictureNumber = 3;
    oak->Description = "A hard, heavy timber \u2013 \u00a34 a plank.";
    oak->Origin = "Europe";
    oak->OtherName = "Quercus";
    oak->Hardwood = -1;
    oak->Price = 120000;
    oak->SetPropertyValueText(0, "hard");
    oak->SetPropertyValueText(1, "heavy");
    oak->SetPropertyValueText(3, "high");
    oak->Flags.Add(51);  // "Can be glued", a property woods do not carry
    list.push_back(std::move(oak));

    auto board = TBoard::Create();
    board->Name = "Plywood";
    board->Category = 0;  // stored as a timber
    board->Shapes[4]->Price = 850;
    board->Shapes[4]->Stocked = 0;
    board->Shapes[9]->Width = 61;
    board->Shapes[9]->Thickness = 30;
    board->SetPropertyValueText(8, "easy");
    list.push_back(std::move(board));

    auto metal = TMetal::Create();
    metal->Name = "Metal";
    metal->Flags = FlagSet{};  // flag 27 removed
    metal->Flags.Add(151);
    metal->StockWord = 77;
    metal->StockSizes.Add(63);
    metal->CostingFlag = 5;
    list.push_back(std::move(metal));

    auto steel = TSteel::Create();
    steel->Name = "Mild steel";
    steel->Composition = "Iron, 0.2% carbon";
    steel->MeltingPoint = "1600 \u00b0C";
    steel->SetPropertyValueText(steel->PropertyCount() - 1, "yes");
    steel->Shapes[0]->Price = 95;
    steel->Shapes[0]->MaxLength = 300;
    steel->Shapes[52]->Kind = 2;
    steel->Shapes[52]->SizeCode = 99;
    list.push_back(std::move(steel));

    auto alu = TAluminium::Create();
    alu->Name = "Aluminium";
    alu->Category = 3;  // a code that names no class
    alu->StockSizes = StockSizeSet{};
    list.push_back(std::move(alu));

    auto brass = TBrass::Create();
    brass->Name = "Brass";
    brass->Shapes[38]->Stocked = 0;
    list.push_back(std::move(brass));

    auto copper = TCopper::Create();
    copper->Name = "Copper";
    copper->Properties[2].second.Value = 14;  // "flexible" on Weight: no flag of its own
    list.push_back(std::move(copper));

    auto acrylic = TPlastic::Create();
    acrylic->Name = "Acrylic";
    acrylic->OtherName = "Perspex";
    acrylic->ChemicalName = "polymethyl methacrylate";
    acrylic->StockWord = 0x1234;
    acrylic->SetPropertyValueText(0, "yes");
    acrylic->SetPropertyValueText(3, "stiff");
    acrylic->Shapes[3]->Price = 1500;
    acrylic->Shapes[3]->MaxLength = 100;
    acrylic->Shapes[3]->MaxWidth = 50;
    list.push_back(std::move(acrylic));

    return list;
}

}  // namespace trevane::testing
