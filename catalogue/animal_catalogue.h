#pragma once

#include "catalogue/colours.h"

#include <QString>

#include <array>

// The thirty animals, one row each, in alphabetical order of their buttons. The row number is an
// animal's identity everywhere: the picker's draw, the order of the selection flags, the order in
// which the buttons are repainted. Nothing of it is read from a file and nothing changes it.
//
// ROW(number, button, display name, caption, picture, sound file or nullptr, neutral colour,
//     colour when the window opens)
// The button's click handler is the button's name followed by _Click (Bear_Click, ...).
// clang-format off
#define ZUBIKO_ANIMAL_TABLE(ROW)                                                                                                \
    ROW( 1, Bear,     "Bear",         "Bear",       "animals\\bear.jpg",     "sounds\\bear.wav",       LightGrey, LightGrey) \
    ROW( 2, Bird,     "Bird",         "Bird",       "animals\\bird.jpg",     "sounds\\bird.wav",       LightGrey, White)     \
    ROW( 3, Cat,      "Cat",          "Cat",        "animals\\cat.jpg",      "sounds\\cat.wav",        LightGrey, LightGrey) \
    ROW( 4, Chicken,  "Chicken",      "Chicken",    "animals\\chicken.jpg",  "sounds\\chicken.wav",    LightGrey, LightGrey) \
    ROW( 5, Cow,      "Cow",          "Cow",        "animals\\cow.jpg",      "sounds\\cow.wav",        LightGrey, LightGrey) \
    ROW( 6, Dog,      "Dog",          "Dog",        "animals\\dog.jpg",      "sounds\\dog.wav",        LightGrey, LightGrey) \
    ROW( 7, Duck,     "Duck",         "Duck",       "animals\\Duck.jpg",     "sounds\\duck.wav",       White,     LightGrey) \
    ROW( 8, Elephant, "Elephant",     "Elephant",   "animals\\Elephant.jpg", "sounds\\elephant.wav",   LightGrey, LightGrey) \
    ROW( 9, Fish,     "Fish",         "Fish",       "animals\\fish.jpg",     nullptr,                  LightGrey, LightGrey) \
    ROW(10, Giraffe,  "Giraffe",      "Giraffe",    "animals\\Giraffe.jpg",  nullptr,                  LightGrey, White)     \
    ROW(11, Goat,     "Goat",         "Goat",       "animals\\Goat.jpg",     "sounds\\goat.wav",       LightGrey, LightGrey) \
    ROW(12, Goose,    "Goose",        "Goose",      "animals\\Goose.jpg",    "sounds\\goose.wav",      LightGrey, LightGrey) \
    ROW(13, Gorilla,  "Gorilla",      "Gorilla",    "animals\\gorilla.jpg",  "sounds\\gorilla.wav",    White,     LightGrey) \
    ROW(14, Hippo,    "Hippopotamus", "Hippo",      "animals\\hippo.jpg",    "sounds\\hippo.wav",      LightGrey, LightGrey) \
    ROW(15, Horse,    "Horse",        "Horse",      "animals\\horse.jpg",    "sounds\\horse.wav",      White,     White)     \
    ROW(16, Lamb,     "Lamb",         "Lamb",       "animals\\Lamb.jpg",     "sounds\\lamb.wav",       LightGrey, White)     \
    ROW(17, Lion,     "Lion",         "Lion",       "animals\\Lion.jpg",     "sounds\\lion.wav",       LightGrey, White)     \
    ROW(18, Monkey,   "Monkey",       "Monkey",     "animals\\monkey.jpg",   "sounds\\monkey.wav",     LightGrey, LightGrey) \
    ROW(19, Moose,    "Moose",        "Moose",      "animals\\moose.jpg",    "sounds\\moose.wav",      LightGrey, LightGrey) \
    ROW(20, Owl,      "Owl",          "Owl",        "animals\\owl.jpg",      "sounds\\owl.wav",        LightGrey, White)     \
    ROW(21, Parrot,   "Parrot",       "Parrot",     "animals\\parrot.jpg",   "sounds\\parrot.wav",     LightGrey, LightGrey) \
    ROW(22, Pig,      "Pig",          "Pig",        "animals\\pig.jpg",      "sounds\\pig.wav",        LightGrey, LightGrey) \
    ROW(23, Rabbit,   "Rabbit",       "Rabbit",     "animals\\rabbit.jpg",   "sounds\\rabbit.wav",     White,     LightGrey) \
    ROW(24, Rhino,    "Rhinoceros",   "Rhinoceros", "animals\\rhino.jpg",    "sounds\\rhinoceros.wav", LightGrey, White)     \
    ROW(25, Rooster,  "Rooster",      "Rooster",    "animals\\rooster.jpg",  "sounds\\rooster.wav",    LightGrey, LightGrey) \
    ROW(26, Snake,    "Snake",        "Snake",      "animals\\snake.jpg",    "sounds\\snake.wav",      LightGrey, White)     \
    ROW(27, Tiger,    "Tiger",        "Tiger",      "animals\\tiger.jpg",    "sounds\\tiger.wav",      LightGrey, LightGrey) \
    ROW(28, Turkey,   "Turkey",       "Turkey",     "animals\\turkey.jpg",   "sounds\\turkey.wav",     LightGrey, LightGrey) \
    ROW(29, Turtle,   "Turtle",       "Turtle",     "animals\\turtle.jpg",   nullptr,                  LightGrey, LightGrey) \
    ROW(30, Zebra,    "Zebra",        "Zebra",      "animals\\zebra.jpg",    "sounds\\zebra.wav",      White,     LightGrey)
// clang-format on

struct AnimalRow
{
    int number;              // 1 to 30
    const char *button;      // object name of the animal's push button
    const char *displayName; // shown in the name band and spoken
    const char *caption;     // the text on the button
    const char *picturePath;
    const char *soundFile; // nullptr: the animal makes no sound
    BgrColour neutralColour;
    BgrColour openingColour; // what the button shows when the window opens (the duck is then painted cyan)

    // The key the sound player looks the animal up by: its display name in lower case.
    QString soundKey() const { return QString::fromLatin1(displayName).toLower(); }
};

constexpr int AnimalCount = 30;

#define ZUBIKO_ANIMAL_ROW(number, button, display, caption, picture, sound, neutral, opening) \
    AnimalRow{number, #button, display, caption, picture, sound, Colour::neutral, Colour::opening},
inline constexpr std::array<AnimalRow, AnimalCount> AnimalCatalogue = {{ZUBIKO_ANIMAL_TABLE(ZUBIKO_ANIMAL_ROW)}};
#undef ZUBIKO_ANIMAL_ROW

// Row k of the table stands at index k - 1: the picker, the flags and the handlers rely on it.
constexpr bool rowsNumberedInOrder()
{
    for (int i = 0; i < AnimalCount; ++i) {
        if (AnimalCatalogue[static_cast<size_t>(i)].number != i + 1)
            return false;
    }
    return true;
}
static_assert(rowsNumberedInOrder(), "the animal table's rows must be numbered 1 to 30 in order");

// Row k of the table, k from 1 to 30.
inline const AnimalRow &animalRow(int number)
{
    return AnimalCatalogue.at(static_cast<size_t>(number - 1));
}

// The row whose sound key is `key` and that has a sound file, or nullptr.
const AnimalRow *findAnimalWithSound(const QString &key);
