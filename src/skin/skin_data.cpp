#include "skin/skin_data.h"

TbsSkinData::TbsSkinData(TComponent* owner) : TComponent(owner) {}

TbsSkinData::~TbsSkinData() = default;
