; tessaly.exe, the start program of the Tessaly demo payload (MS-DOS).
;
;   nasm -f bin -I <folder of mz.inc>/ -o tessaly.exe tessaly.asm
;
; It shows the product's name and starts the wheeling program dornw.exe from
; the current folder, handing on its own command tail (so "tessaly /ns"
; starts "dornw.exe /ns"), and ends with dornw's exit code. When dornw.exe
; cannot be started it says so and ends with exit code 3.

%include "mz.inc"

main:
        MZ_START

        PRINT banner

        ; The parameter block of EXEC: the same environment, and the command
        ; tail and the two file control blocks of this program's PSP.
        mov ax, [psp_segment]
        mov word [exec_environment], 0
        mov word [exec_tail], 80h
        mov [exec_tail + 2], ax
        mov word [exec_fcb1], 5Ch
        mov [exec_fcb1 + 2], ax
        mov word [exec_fcb2], 6Ch
        mov [exec_fcb2 + 2], ax

        ; DOS 2 lost every register but CS:IP across EXEC; keep SS:SP in the
        ; code segment, where they can be found again.
        mov [cs:saved_sp], sp
        mov [cs:saved_ss], ss
        mov dx, program_name
        mov bx, exec_block
        mov ax, 4B00h
        int 21h
        cli
        mov ss, [cs:saved_ss]
        mov sp, [cs:saved_sp]
        sti
        mov bx, cs
        mov ds, bx
        mov es, bx
        jc .cannot_start

        mov ah, 4Dh                     ; the child's exit code, in AL
        int 21h
        mov ah, 4Ch
        int 21h
.cannot_start:
        PRINT cannot_start
        mov ax, 4C03h
        int 21h

banner          db 'Tessaly 3.24 demo - lottery wheeling', CR, LF, '$'
cannot_start    db 'Cannot start DORNW.EXE: it must be in the current folder.', CR, LF, '$'
program_name    db 'DORNW.EXE', 0
saved_sp        dw 0
saved_ss        dw 0

MZ_END
psp_segment     resw 1
exec_block:
exec_environment resw 1
exec_tail       resw 2
exec_fcb1       resw 2
exec_fcb2       resw 2
MZ_STACK
