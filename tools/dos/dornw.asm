; dornw.exe, the wheeling program of the Tessaly demo payload (MS-DOS).
;
;   nasm -f bin -I <folder of dornw_wheels.bin>/ -o dornw.exe dornw.asm
;
; It shows its banner, writes the print file "f" into the current folder
; (a sample wheel listing: the first wheel of its built-in table applied to a
; sample pick of numbers) and ends with exit code 0. Without the switch /ns
; ("no stop") it also shows the listing and waits for a key before it ends;
; the DOSBox configuration starts it with /ns. When the print file cannot be
; written it says so and ends with exit code 1.
;
; The built-in table has the layout of the demo's wheel databases: "TQDB", a
; version word, a wheel count word, then per wheel the bytes v, k, t, 0, a
; ticket count word and the tickets, k numbers from 1 to v each.

%include "mz.inc"

main:
        MZ_START

        PRINT banner
        call find_no_stop
        call build_listing
        jc .bad_table
        call write_print_file
        jc .cannot_write
        PRINT written

        cmp byte [no_stop], 0
        jne .done
        mov bx, 1                       ; standard output
        mov cx, [listing_length]
        mov dx, listing
        mov ah, 40h
        int 21h
        PRINT press_a_key
        mov ah, 08h                     ; read a key without echo
        int 21h
.done:
        mov ax, 4C00h
        int 21h
.cannot_write:
        PRINT cannot_write
        mov ax, 4C01h
        int 21h
.bad_table:
        PRINT bad_table
        mov ax, 4C02h
        int 21h

; Sets no_stop when the command tail holds "/ns" (any case) as a whole switch.
find_no_stop:
        push es
        mov es, [psp_segment]
        xor ch, ch
        mov cl, [es:80h]                ; length of the command tail
        mov si, 81h
.next:
        jcxz .end
        mov al, [es:si]
        inc si
        dec cx
        cmp al, '/'
        jne .next
        cmp cx, 2
        jb .end
        mov al, [es:si]
        or al, 20h                      ; lower case
        cmp al, 'n'
        jne .next
        mov al, [es:si+1]
        or al, 20h
        cmp al, 's'
        jne .next
        cmp cx, 2
        je .found                       ; the switch ends the tail
        mov al, [es:si+2]
        cmp al, ' '
        jbe .found
        cmp al, '/'
        jne .next
.found:
        mov byte [no_stop], 1
.end:
        pop es
        ret

; Writes the listing into the buffer and stores its length. Carry set when the
; first wheel needs more numbers than the sample pick has.
build_listing:
        mov di, listing
        mov si, title_line
        call put_text

        mov si, wheels + 8              ; the first wheel's record
        lodsb
        mov [wheel_v], al
        lodsb
        mov [wheel_k], al
        lodsb
        mov [wheel_t], al
        inc si
        lodsw
        mov [ticket_count], ax
        cmp byte [wheel_v], SAMPLE_PICK_COUNT
        ja .too_many
        push si                         ; the tickets

        mov si, wheel_text_1
        call put_text
        mov al, [wheel_v]
        call put_small
        mov si, wheel_text_2
        call put_text
        mov al, [wheel_k]
        call put_small
        mov si, wheel_text_3
        call put_text
        mov ax, [ticket_count]
        call put_number
        mov si, wheel_text_4
        call put_text
        mov al, [wheel_t]
        call put_small
        mov si, wheel_text_5
        call put_text
        mov al, [wheel_t]
        call put_small
        mov si, wheel_text_6
        call put_text

        mov si, numbers_text
        call put_text
        xor ch, ch
        mov cl, [wheel_v]
        mov bx, sample_pick
.pick:
        mov al, ' '
        stosb
        mov al, [bx]
        inc bx
        call put_two
        loop .pick
        call put_line_end
        call put_line_end

        pop si
        mov word [ticket_number], 0
.ticket:
        mov ax, [ticket_number]
        cmp ax, [ticket_count]
        jae .tickets_done
        inc ax
        mov [ticket_number], ax
        push si
        mov si, ticket_text
        call put_text
        pop si
        mov ax, [ticket_number]
        cmp ax, 10
        jae .wide
        mov al, ' '
        stosb
        mov ax, [ticket_number]
.wide:
        call put_number
        mov al, ':'
        stosb
        mov al, ' '
        stosb
        xor ch, ch
        mov cl, [wheel_k]
.number:
        lodsb                           ; a position from 1 to v
        xor ah, ah
        mov bx, ax
        mov al, [sample_pick + bx - 1]
        mov ah, al
        mov al, ' '
        stosb
        mov al, ah
        call put_two
        loop .number
        call put_line_end
        jmp .ticket
.tickets_done:
        call put_line_end
        mov si, end_text
        call put_text
        sub di, listing
        mov [listing_length], di
        clc
        ret
.too_many:
        stc
        ret

; Creates "f" and writes the listing into it. Carry set on any failure.
write_print_file:
        mov dx, print_file_name
        xor cx, cx                      ; normal attributes
        mov ah, 3Ch
        int 21h
        jc .end
        mov bx, ax
        mov cx, [listing_length]
        mov dx, listing
        mov ah, 40h
        int 21h
        jc .close_failed
        cmp ax, [listing_length]
        jne .short_write
        mov ah, 3Eh
        int 21h
        ret                             ; carry from the close
.short_write:
        mov ah, 3Eh
        int 21h
.close_failed:
        stc
.end:
        ret

; Copies the zero-terminated text at SI to DI.
put_text:
        lodsb
        or al, al
        jz .end
        stosb
        jmp put_text
.end:
        ret

put_line_end:
        mov al, CR
        stosb
        mov al, LF
        stosb
        ret

; AL as two decimal digits.
put_two:
        push bx
        xor ah, ah
        mov bl, 10
        div bl                          ; AL = tens, AH = ones
        add ax, '00'
        stosw                           ; tens first: AL is the low byte
        pop bx
        ret

; AL (0-255) in decimal without leading zeros.
put_small:
        xor ah, ah
        ; falls through

; AX in decimal without leading zeros.
put_number:
        push bx
        push cx
        push dx
        mov bx, 10
        xor cx, cx
.divide:
        xor dx, dx
        div bx
        push dx
        inc cx
        or ax, ax
        jnz .divide
.emit:
        pop ax
        add al, '0'
        stosb
        loop .emit
        pop dx
        pop cx
        pop bx
        ret

banner          db 'Tessaly 3.24 demo - lottery wheeling', CR, LF
                db 'dornw: the wheeling program of the Tessaly demo payload', CR, LF, '$'
written         db 'Sample wheel listing written to print file f.', CR, LF, '$'
press_a_key     db CR, LF, 'Press a key to end.', CR, LF, '$'
cannot_write    db 'Cannot write print file f.', CR, LF, '$'
bad_table       db 'The built-in wheel table does not fit the sample pick.', CR, LF, '$'
print_file_name db 'f', 0

title_line      db 'TESSALY 3.24 DEMO  -  SAMPLE WHEEL LISTING', CR, LF, CR, LF, 0
wheel_text_1    db 'Wheel:      ', 0
wheel_text_2    db ' numbers, ', 0
wheel_text_3    db ' to a ticket, ', 0
wheel_text_4    db ' tickets', CR, LF, 'Guarantee:  ', 0
wheel_text_5    db ' if ', 0
wheel_text_6    db ' of the numbers are drawn', CR, LF, 0
numbers_text    db 'Numbers:   ', 0
ticket_text     db 'Ticket ', 0
end_text        db 'End of listing.', CR, LF, 0

SAMPLE_PICK_COUNT equ 12
sample_pick     db 3, 8, 12, 17, 21, 26, 30, 34, 38, 41, 45, 47

wheels:
        incbin "dornw_wheels.bin"

MZ_END
psp_segment     resw 1
listing_length  resw 1
ticket_count    resw 1
ticket_number   resw 1
wheel_v         resb 1
wheel_k         resb 1
wheel_t         resb 1
no_stop         resb 1
listing         resb 8192
MZ_STACK
