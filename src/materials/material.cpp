#include "materials/material.h"

namespace trevane {

void TMaterial::SaveToStream(ByteWriter&) const {}
void TMaterial::LoadFromStream(ByteReader&) {}

}  // namespace trevane
