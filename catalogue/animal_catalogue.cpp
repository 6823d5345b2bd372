#include "catalogue/animal_catalogue.h"

const AnimalRow *findAnimalWithSound(const QString &key)
{
    for (const AnimalRow &row : AnimalCatalogue) {
        if (row.soundFile && row.soundKey() == key)
            return &row;
    }
    return nullptr;
}
