/* Resource identifiers of Rulvio, shared by rulvio.rc and the C++ code.
   Plain #defines only, so that both windres and the compiler can read it. */
#ifndef RULVIO_RESOURCE_H
#define RULVIO_RESOURCE_H

/* Program icon (icon group: 16, 32, 48 and 256 pixels). */
#define IDI_RULVIO      1005

/* Bitmaps, 24-bit. */
#define IDB_ABOUT_LOGO  1006 /* about box logo, 164 x 50 */
#define IDB_LOGO        1007 /* game logo on black, 200 x 50 */
#define IDB_SYMBOLS     1008 /* twelve 96 x 96 fruit symbols side by side, 1152 x 96 */
#define IDB_PAYTABLE    1010 /* cherries and oranges pay table, 287 x 85 */

/* Looped spin sounds, resource type "WAVE", 16-bit stereo PCM at 44100 Hz. */
#define IDW_SPIN_FAST   1009 /* fast ratchet, first seconds of a spin */
#define IDW_SPIN_SLOW   1011 /* slower rolling until the spin ends */

#endif /* RULVIO_RESOURCE_H */
