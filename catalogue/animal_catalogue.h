#pragma once

#include "window/colours.h"

#include <QString>

#include <array>

// The thirty animals, one row each, in alphabetical order of their buttons. The row number is an
// animal's identity everywhere: the picker's draw, the order of the selection flags, the order in
// which the buttons are repainted. Nothing of it is read from a file and nothing changes it.
//
// ROW(number, button, display name, caption, picture, sound file or nullptr, neutral colour,
//     design colour)
// The button's click handler is the button's name followed by _Click (Bear_Click, ...).
#define ZUBIKO_ANIMAL_TABLE(ROW)                                                                          \
    ROW(1, Bear, "Bear", "Bear", "animals\\bear.jpg", "sounds\\bear.wav", 0x00E0E0E0, 0x00E0E0E0)            \
    ROW(2, Bird, "Bird", "Bird", "animals\\bird.jpg", "sounds\\bird.wav", 0x00E0E0E0, 0x00FFFFFF)            \
    ROW(3, Cat, "Cat", "Cat", "animals\\cat.jpg", "sounds\\cat.wav", 0x00E0E0E0, 0x00E0E0E0)                 \
    ROW(4, Chicken, "Chicken", "Chicken", "animals\\chicken.jpg", "sounds\\chicken.wav", 0x00E0E0E0,         \
        0x00E0E0E0)                                                                                       \
    ROW(5, Cow, "Cow", "Cow", "animals\\cow.jpg", "sounds\\cow.wav", 0x00E0E0E0, 0x00E0E0E0)                 \
    ROW(6, Dog, "Dog", "Dog", "animals\\dog.jpg", "sounds\\dog.wav", 0x00E0E0E0, 0x00E0E0E0)                 \
    ROW(7, Duck, "Duck", "Duck", "animals\\Duck.jpg", "sounds\\duck.wav", 0x00FFFFFF, 0x00E0E0E0)            \
    ROW(8, Elephant, "Elephant", "Elephant", "animals\\Elephant.jpg", "sounds\\elephant.wav", 0x00E0E0E0,    \
        0x00E0E0E0)                                                                                       \
    ROW(9, Fish, "Fish", "Fish", "animals\\fish.jpg", nullptr, 0x00E0E0E0, 0x00E0E0E0)                       \
    ROW(10, Giraffe, "Giraffe", "Giraffe", "animals\\Giraffe.jpg", nullptr, 0x00E0E0E0, 0x00FFFFFF)          \
    ROW(11, Goat, "Goat", "Goat", "animals\\Goat.jpg", "sounds\\goat.wav", 0x00E0E0E0, 0x00E0E0E0)           \
    ROW(12, Goose, "Goose", "Goose", "animals\\Goose.jpg", "sounds\\goose.wav", 0x00E0E0E0, 0x00E0E0E0)      \
    ROW(13, Gorilla, "Gorilla", "Gorilla", "animals\\gorilla.jpg", "sounds\\gorilla.wav", 0x00FFFFFF,        \
        0x00E0E0E0)                                                                                       \
    ROW(14, Hippo, "Hippopotamus", "Hippo", "animals\\hippo.jpg", "sounds\\hippo.wav", 0x00E0E0E0,           \
        0x00E0E0E0)                                                                                       \
    ROW(15, Horse, "Horse", "Horse", "animals\\horse.jpg", "sounds\\horse.wav", 0x00FFFFFF, 0x00FFFFFF)      \
    ROW(16, Lamb, "Lamb", "Lamb", "animals\\Lamb.jpg", "sounds\\lamb.wav", 0x00E0E0E0, 0x00FFFFFF)           \
    ROW(17, Lion, "Lion", "Lion", "animals\\Lion.jpg", "sounds\\lion.wav", 0x00E0E0E0, 0x00FFFFFF)           \
    ROW(18, Monkey, "Monkey", "Monkey", "animals\\monkey.jpg", "sounds\\monkey.wav", 0x00E0E0E0, 0x00E0E0E0) \
    ROW(19, Moose, "Moose", "Moose", "animals\\moose.jpg", "sounds\\moose.wav", 0x00E0E0E0, 0x00E0E0E0)      \
    ROW(20, Owl, "Owl", "Owl", "animals\\owl.jpg", "sounds\\owl.wav", 0x00E0E0E0, 0x00FFFFFF)                \
    ROW(21, Parrot, "Parrot", "Parrot", "animals\\parrot.jpg", "sounds\\parrot.wav", 0x00E0E0E0, 0x00E0E0E0) \
    ROW(22, Pig, "Pig", "Pig", "animals\\pig.jpg", "sounds\\pig.wav", 0x00E0E0E0, 0x00E0E0E0)                \
    ROW(23, Rabbit, "Rabbit", "Rabbit", "animals\\rabbit.jpg", "sounds\\rabbit.wav", 0x00FFFFFF, 0x00E0E0E0) \
    ROW(24, Rhino, "Rhinoceros", "Rhinoceros", "animals\\rhino.jpg", "sounds\\rhinoceros.wav", 0x00E0E0E0,   \
        0x00FFFFFF)                                                                                       \
    ROW(25, Rooster, "Rooster", "Rooster", "animals\\rooster.jpg", "sounds\\rooster.wav", 0x00E0E0E0,        \
        0x00E0E0E0)                                                                                       \
    ROW(26, Snake, "Snake", "Snake", "animals\\snake.jpg", "sounds\\snake.wav", 0x00E0E0E0, 0x00FFFFFF)      \
    ROW(27, Tiger, "Tiger", "Tiger", "animals\\tiger.jpg", "sounds\\tiger.wav", 0x00E0E0E0, 0x00E0E0E0)      \
    ROW(28, Turkey, "Turkey", "Turkey", "animals\\turkey.jpg", "sounds\\turkey.wav", 0x00E0E0E0, 0x00E0E0E0) \
    ROW(29, Turtle, "Turtle", "Turtle", "animals\\turtle.jpg", nullptr, 0x00E0E0E0, 0x00E0E0E0)              \
    ROW(30, Zebra, "Zebra", "Zebra", "animals\\zebra.jpg", "sounds\\zebra.wav", 0x00FFFFFF, 0x00E0E0E0)

struct AnimalRow
{
    int number;              // 1 to 30
    const char *button;      // object name of the animal's push button
    const char *displayName; // shown in the name band and spoken
    const char *caption;     // the text on the button
    const char *picturePath;
    const char *soundFile; // nullptr: the animal makes no sound
    BgrColour neutralColour;
    BgrColour designColour; // what the button shows when the window is first shown (the duck is then painted cyan)

    // The key the sound player looks the animal up by: its display name in lower case.
    QString soundKey() const { return QString::fromLatin1(displayName).toLower(); }
};

constexpr int AnimalCount = 30;

#define ZUBIKO_ANIMAL_ROW(number, button, ...) AnimalRow{number, #button, __VA_ARGS__},
inline constexpr std::array<AnimalRow, AnimalCount> AnimalCatalogue = {{ZUBIKO_ANIMAL_TABLE(ZUBIKO_ANIMAL_ROW)}};
#undef ZUBIKO_ANIMAL_ROW

// Row k of the table, k from 1 to 30.
inline const AnimalRow &animalRow(int number)
{
    return AnimalCatalogue.at(static_cast<size_t>(number - 1));
}

// The row whose sound key is `key` and that has a sound file, or nullptr.
const AnimalRow *findAnimalWithSound(const QString &key);
